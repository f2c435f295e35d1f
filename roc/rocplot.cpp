#include "roc/rocplot.h"

#include "roc/point_list.h"
#include "roc/roc_plot.h"

namespace roc {

RocRun runRoc(std::string_view text, const std::string& fileName, const std::string& pointListPath,
              bool keepShapes, ClassScores* scores, bool skipHeader) {
  ScoreFindings findings;
  ScoreHistogram histogram = readScores(text, fileName, scores, &findings, skipHeader);
  RocRun run{RocResult{},
             startRocPicture(keepShapes),
             histogram.records(),
             histogram,
             findings,
             skipHeader,
             {}};
  run.result = sweep(histogram);
  drawRocCurve(run.picture, run.result);
  if (!pointListPath.empty()) writePointList(pointListPath, run.result);
  run.result.auc = areaUnderCurve(run.result);
  drawRocSummary(run.picture, run.result);
  return run;
}

}  // namespace roc
