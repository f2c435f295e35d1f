// rocplot's bootstrap lines: the percentile intervals of the exact AUC, of
// Youden's threshold, and of the sensitivities and specificities asked for
// with --se-at and --sp-at, and of the partial AUC of --partial-fpr, one
// "name<TAB>value" a line.
#ifndef ROC_BOOTSTRAP_REPORT_H_
#define ROC_BOOTSTRAP_REPORT_H_

#include <string>
#include <vector>

#include "roc/command_line.h"
#include "roc/exact_auc.h"

namespace roc {

// The bootstrap lines of the sorted positives "p" and negatives "q" for what
// "args" asks (args.resamples() resamples seeded with args.seed, intervals
// at args.level), on "threads" threads (0: one per core; the lines are the
// same for any count).  Undefined values read "nan".
std::string bootstrapReport(const std::vector<double>& p, const std::vector<double>& q,
                            const Arguments& args, unsigned threads = 0);

// The bootstrap test of --compare --method bootstrap beside DeLong's
// "comparison" of "first" and "second" (paired unless args.unpaired):
// bootstrap_resamples and bootstrap_seed (unless the bootstrap lines above
// named them), boot_difference_se, boot_difference_low, boot_difference_high,
// boot_z, boot_p.
std::string bootstrapComparisonLines(const ClassScores& first, const ClassScores& second,
                                     const AucComparison& comparison, const Arguments& args,
                                     unsigned threads = 0);

}  // namespace roc

#endif  // ROC_BOOTSTRAP_REPORT_H_
