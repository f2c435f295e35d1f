// The bootstrap comparison of two classifiers' exact AUCs: paired (the same
// cases, resampled together) or unpaired (each sample resampled on its own),
// stratified by class as the single-classifier bootstrap is.
#ifndef ROC_COMPARE_BOOTSTRAP_H_
#define ROC_COMPARE_BOOTSTRAP_H_

#include <vector>

#include "roc/bootstrap.h"
#include "roc/exact_auc.h"

namespace roc {

// The difference first AUC - second AUC on each of plan.resamples
// resamples.  Paired: "first" and "second" hold the scores of the same
// cases in the same order, and resample r draws counts for the positives
// (stream 0) and the negatives (stream 1) in that order, given to both.
// Unpaired: the first's records draw from streams 0 and 1, the second's
// from 2 and 3, each in input order.  The same for any plan.threads.
std::vector<double> bootstrapAucDifferences(const ClassScores& first, const ClassScores& second,
                                            bool paired, const BootstrapPlan& plan);

struct BootstrapComparison {
  double se = 0;             // the differences' standard deviation
  double z = 0;              // the observed difference over "se"
  double p = 0;              // two-sided, from the normal tail
  double low = 0, high = 0;  // the differences' percentile interval
};

// The test of "difference" (the observed one) from its resampled
// "differences", at "level", as pROC's roc.test(method = "bootstrap").
BootstrapComparison bootstrapComparison(double difference, const std::vector<double>& differences,
                                        double level);

}  // namespace roc

#endif  // ROC_COMPARE_BOOTSTRAP_H_
