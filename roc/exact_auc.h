// The exact area under the ROC curve over all records, with its DeLong
// variance, and the comparison of two classifiers scored on the same cases.
//
// The AUC is the Mann-Whitney statistic: the share of (positive, negative)
// pairs in which the positive scores higher, ties counting one half.  Its
// variance follows DeLong, DeLong and Clarke-Pearson (1988) from the
// placement values, found as Sun and Xu (2014) do, by sorting once: for a
// positive x, V10 = (negatives below x + half those equal) / n; for a
// negative y, V01 = (positives above y + half those equal) / m; then
// AUC = mean V10 = mean V01 and var = s10 / m + s01 / n with s the sample
// variances.  O((m + n) log(m + n)).
#ifndef ROC_EXACT_AUC_H_
#define ROC_EXACT_AUC_H_

#include <cstdint>
#include <vector>

namespace roc {

// The scores of one classifier split by class, each as read (in double
// precision: near-saturated scores such as 1 - 1e-9 stay apart); records of
// other classes and scores that are not numbers are counted and left out.
struct ClassScores {
  std::vector<double> positives;  // class 1
  std::vector<double> negatives;  // class 0
  std::int64_t notNumbers = 0;
  std::int64_t otherClasses = 0;
};

struct Placements {
  std::vector<double> v10;  // per positive, in input order
  std::vector<double> v01;  // per negative, in input order
};

// The scores in increasing order (a radix sort: linear in their number),
// -0 as 0.
std::vector<double> sortedScores(const std::vector<double>& scores);

struct AucEstimate {
  double auc = 0;       // NaN without positives or negatives
  double variance = 0;  // NaN with fewer than two of either
  double se = 0;
  double low = 0, high = 0;  // auc -+ z se for the level asked, held to [0, 1]
};

// The exact AUC and its DeLong standard error and interval at "level"
// (0.95 for 95%).
AucEstimate exactAuc(const ClassScores& scores, double level);

// The same from the positives' and negatives' scores already sorted.
AucEstimate exactAucOfSorted(const std::vector<double>& positives,
                             const std::vector<double>& negatives, double level);

struct AucComparison {
  AucEstimate first, second;
  double difference = 0;  // first - second
  double se = 0;          // of the difference, paired
  double z = 0;
  double p = 0;              // two-sided, from the normal tail (erfc): no underflow to 0
  double low = 0, high = 0;  // interval of the difference, held to [-1, 1]
};

// DeLong's paired test of two classifiers' AUCs on the same cases: "first"
// and "second" hold the scores of the same positives and negatives in the
// same order.
AucComparison compareAucs(const ClassScores& first, const ClassScores& second, double level);

// DeLong's unpaired test of two classifiers scored on different cases: the
// difference of the AUCs over the root of the sum of their variances; its p
// from Student's t with Welch-Satterthwaite's degrees of freedom (pROC's
// roc.test(paired = FALSE)), the interval from the normal quantile as the
// paired one.
AucComparison compareUnpairedAucs(const ClassScores& first, const ClassScores& second,
                                  double level);

}  // namespace roc

#endif  // ROC_EXACT_AUC_H_
