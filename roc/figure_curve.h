// What the paper figure draws of one classifier, computed from its records
// with no drawing at all: the drawing layer takes a list of these.
#ifndef ROC_FIGURE_CURVE_H_
#define ROC_FIGURE_CURVE_H_

#include <string>
#include <vector>

#include "roc/bootstrap.h"
#include "roc/empirical_curve.h"
#include "roc/exact_auc.h"
#include "roc/sensitivity_band.h"
#include "roc/sweep.h"

namespace roc {

// One classifier's curve on the figure, with its legend and its marks.
struct CurveForFigure {
  std::string name;  // its legend name: from --names, else the file name without folder
  // The exact empirical curve, (0, 0) to (1, 1), a vertex per distinct
  // score (empiricalCurve); empty without positives or negatives.
  std::vector<RatePoint> vertices;
  // The exact (Mann-Whitney) AUC with its DeLong interval at "level", the
  // numbers --report prints as exact_auc, exact_auc_low and exact_auc_high.
  AucEstimate auc;
  double level = 0.95;
  // The best operating point as the exact picture marks it: the sweep's
  // point farthest from the diagonal, its rates as the sweep counted them
  // and its threshold as the picture labels it (a hundredth).  "hasBest"
  // is false when no threshold gave a distance (no records of a class).
  bool hasBest = false;
  double bestFpr = 0, bestTpr = 0, bestThreshold = 0;
  // With --ci-band, the bootstrap band of the sensitivity at 100
  // specificities from 1 down to 0 (so FPR up from 0); else empty.
  std::vector<BandPoint> band;
};

// The figure's curve of the classifier whose records hold "scores" (by
// class, as readScores keeps them) and whose sweep gave "sweepResult",
// named "name", its interval at "level"; with "band", also the band from
// band->resamples resamples seeded with band->seed.
CurveForFigure curveForFigure(const std::string& name, const ClassScores& scores,
                              const RocResult& sweepResult, double level,
                              const BootstrapPlan* band = nullptr);

}  // namespace roc

#endif  // ROC_FIGURE_CURVE_H_
