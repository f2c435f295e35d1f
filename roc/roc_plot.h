// The picture of rocplot: a 600 x 600 window, y upwards, with the chance
// diagonal, the red ROC curve from (1,1), the labelled best point, the AUC
// and the confusion matrix of the best point, all in the fixed 8 x 8 font.
#ifndef ROC_ROC_PLOT_H_
#define ROC_ROC_PLOT_H_

#include <array>
#include <string>

#include "roc/sweep.h"
#include "surface/surface.h"

namespace roc {

inline constexpr int kPictureSize = 600;

// A 600 x 600 surface with the window (0,0)-(1,1), cleared white, the blue
// diagonal drawn.
surface::Surface startRocPicture(bool keepShapes = false);

// The five label lines of the best point, top to bottom (FPR, TPR,
// Matthews, Dmax, t), each value in the mask "0.000".
std::array<std::string, 5> bestPointLabels(const RocResult& result);

// The curve, from the red point at (1,1) through points 0..m, with the best
// point's labels and red circle drawn when the curve reaches it.
void drawRocCurve(surface::Surface& picture, const RocResult& result);

// The five summary lines (AUC, confusion matrix title, headings, p1 and p0
// rows), top to bottom.
std::array<std::string, 5> summaryLines(const RocResult& result);

// The summary lines at x = 0.75, from y = 0.16 down.
void drawRocSummary(surface::Surface& picture, const RocResult& result);

}  // namespace roc

#endif  // ROC_ROC_PLOT_H_
