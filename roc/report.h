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
  // Predicted positive when the score is above it, as the picture's rule:
  // the highest score classed negative; -inf when every record is classed
  // positive.
  double threshold = 0;
  // Halfway from "threshold" to the next higher score (the lowest classed
  // positive): a cut that keeps both sides the same on new data.
  double midpoint = 0;
  double tpr = 0, fpr = 0, j = 0;
};

// Among all cuts between distinct scores, the one that maximizes Youden's
// J = TPR - FPR (the highest such cut on a tie); NaN without positives or
// negatives.
Youden bestYouden(const ClassScores& scores);

// The same from the positives' and negatives' scores already sorted.
Youden bestYoudenOfSorted(const std::vector<double>& positives,
                          const std::vector<double>& negatives);

// The report: records, positives, negatives; the picture's AUC and best
// point with every threshold tied with it; the exact AUC with its DeLong SE
// and interval at "level"; Youden's best threshold.  Undefined values read
// "nan".
std::string rocReport(const RocRun& run, const ClassScores& scores, double level);

// The report of --compare: the level (unless "withLevel" is false), both
// exact AUCs, their difference, its paired SE, z, two-sided p and interval.
std::string comparisonReport(const AucComparison& comparison, double level, bool withLevel = true);

// Appends "name<TAB>value" and a line end to "out", the value in the
// shortest form that reads back to it ("nan" when it is not a number).
void reportLine(std::string& out, const std::string& name, double value);

// "value" as reportLine writes it.
std::string reportNumber(double value);

// Whether the first line of "text" (the file "fileName") is left out as a
// row of column names: when "headerAsked" (--header), or when it is found to
// be one.  Warns on standard error when found, and when --header leaves out
// a line of numbers.
bool checkHeader(std::string_view text, const std::string& fileName, bool headerAsked);

// The lines of one score file that "args" asks for on standard output:
// with --report the report (rocReport), with a bootstrap quantity the
// bootstrap lines (after a level line when there is no report).  Empty
// when neither is asked.
std::string scoreReport(const Arguments& args, const RocRun& run, const ClassScores& scores);

// What the command line asks beside the picture: the --table file, the
// --report and the --compare report on standard output ("text" is the input
// file's text without its byte-order mark, named "input").  Throws ToolError for a file that cannot
// be read or written, or a --compare file that does not match.
void writeNumbers(const Arguments& args, const RocRun& run, const ClassScores& scores,
                  std::string_view text, const std::string& input);

}  // namespace roc

#endif  // ROC_REPORT_H_
