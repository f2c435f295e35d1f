#include "roc/figure_curve.h"

#include "roc/side_by_side.h"

namespace roc {

CurveForFigure curveForFigure(const std::string& name, const ClassScores& scores,
                              const RocResult& sweepResult, double level,
                              const BootstrapPlan* band) {
  std::vector<double> p, q;
  sideBySide([&] { q = sortedScores(scores.negatives); },
             [&] { p = sortedScores(scores.positives); });
  CurveForFigure curve;
  curve.name = name;
  curve.vertices = empiricalCurveOfSorted(p, q);
  curve.auc = exactAucOfSorted(p, q, level);
  curve.level = level;
  const auto k = static_cast<std::size_t>(sweepResult.kbest);
  curve.hasBest = sweepResult.dmax >= 0;
  curve.bestFpr = sweepResult.fpr[k];
  curve.bestTpr = sweepResult.tpr[k];
  curve.bestThreshold = sweepResult.kbest * kStep;
  if (band != nullptr) curve.band = sensitivityBand(p, q, bandSpecificities(100), level, *band);
  return curve;
}

}  // namespace roc
