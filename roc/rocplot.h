// One run of rocplot, from the score file's text to the finished picture.
#ifndef ROC_ROCPLOT_H_
#define ROC_ROCPLOT_H_

#include <string>
#include <string_view>

#include "roc/exact_auc.h"
#include "roc/figure_curve.h"
#include "roc/score_file.h"
#include "roc/sweep.h"
#include "surface/surface.h"

namespace roc {

struct RocRun {
  RocResult result;
  surface::Surface picture;
  std::int64_t records = 0;
  ScoreHistogram histogram;  // the records as the sweep counts them
  ScoreFindings findings;    // what the file holds that the results may not survive
  bool skippedHeader = false;
  // With a paper figure asked for (--figure, --style paper), the file's
  // curve as the figure draws it; else empty.
  std::vector<CurveForFigure> figure;
};

// Reads the records of "text" (named "fileName" in errors), sweeps, draws
// the curve with its labels and summary, and writes the point list to
// "pointListPath" when that is not empty (in between, as the picture's
// labels need the sweep and the summary the AUC).  With "keepShapes" the
// picture can also be saved as SVG, PDF or a larger bitmap.
// With "scores", the records' scores are also kept there by class.  With
// "skipHeader" the first line is left out.
RocRun runRoc(std::string_view text, const std::string& fileName, const std::string& pointListPath,
              bool keepShapes = false, ClassScores* scores = nullptr, bool skipHeader = false);

}  // namespace roc

#endif  // ROC_ROCPLOT_H_
