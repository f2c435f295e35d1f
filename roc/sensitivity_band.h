// The confidence band of an ROC curve: at each of a row of specificities,
// the stratified bootstrap's percentile interval of the sensitivity there
// (the --se-at quantity, at many specificities at once).
#ifndef ROC_SENSITIVITY_BAND_H_
#define ROC_SENSITIVITY_BAND_H_

#include <cstddef>
#include <vector>

#include "roc/bootstrap.h"

namespace roc {

// The band at one specificity: the resamples' sensitivities there, at the
// (1 - level) / 2, 0.5 and (1 + level) / 2 quantiles (R's type 7).  NaN
// when no resample gives a sensitivity (a class without records).
struct BandPoint {
  double specificity = 0;
  double low = 0, median = 0, high = 0;
};

// "count" specificities evenly spaced over [0, 1], from 1 down to 0
// (k / (count - 1) for k = count - 1 .. 0), as R's seq(0, 1, length.out =
// count) reversed: the band's points then run from FPR 0 to FPR 1.
// "count" is at least 2.
std::vector<double> bandSpecificities(std::size_t count = 100);

// The band of the classifier whose positives and negatives scored
// "positives" and "negatives" (each sorted increasing, as sortedScores
// gives them), at "specificities", from plan.resamples stratified
// resamples seeded with plan.seed: the same for any plan.threads.  The
// sensitivity of a resample at a specificity is read from its empirical
// curve as --se-at reads it (sensitivityAt: straight between vertices, the
// top of a vertical run).  One point per specificity, in their order.
std::vector<BandPoint> sensitivityBand(const std::vector<double>& positives,
                                       const std::vector<double>& negatives,
                                       const std::vector<double>& specificities, double level,
                                       const BootstrapPlan& plan);

}  // namespace roc

#endif  // ROC_SENSITIVITY_BAND_H_
