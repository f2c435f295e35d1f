// rocplot's --report: every number of the picture and the statistics users
// ask for, one "name<TAB>value" a line.
#ifndef ROC_REPORT_H_
#define ROC_REPORT_H_

#include <string>
#include <string_view>

#include "roc/command_line.h"
#include "roc/exact_auc.h"
#include "roc/rocplot.h"

namespace roc {

struct Youden {
  double threshold = 0;  // predicted positive when the score is at or above it
  double tpr = 0, fpr = 0, j = 0;
};

// Among all distinct scores as thresholds, the one that maximizes Youden's
// J = TPR - FPR (the highest such threshold on a tie); NaN without positives
// or negatives.
Youden bestYouden(const ClassScores& scores);

// The same from the positives' and negatives' scores already sorted.
Youden bestYoudenOfSorted(const std::vector<float>& positives, const std::vector<float>& negatives);

// The report: records, positives, negatives; the picture's AUC and best
// point with every threshold tied with it; the exact AUC with its DeLong SE
// and interval at "level"; Youden's best threshold.  Undefined values read
// "nan".
std::string rocReport(const RocRun& run, const ClassScores& scores, double level);

// The report of --compare: both exact AUCs, their difference, its paired SE,
// z, two-sided p and interval.
std::string comparisonReport(const AucComparison& comparison, double level);

// What the command line asks beside the picture: the --table file, the
// --report and the --compare report on standard output ("text" is the input
// file's text, named "input").  Throws ToolError for a file that cannot be
// read or written, or a --compare file that does not match.
void writeNumbers(const Arguments& args, const RocRun& run, const ClassScores& scores,
                  std::string_view text, const std::string& input);

}  // namespace roc

#endif  // ROC_REPORT_H_
