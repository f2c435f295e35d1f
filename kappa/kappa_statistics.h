// Cohen's kappa for two classifiers' confusion matrix, unweighted or
// weighted, with its confidence interval and p-value.
#ifndef KAPPA_KAPPA_STATISTICS_H_
#define KAPPA_KAPPA_STATISTICS_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kappa {

struct KappaResult {
  double kappa = 0;
  double pValue = 0;
  double low = 0;
  double high = 0;
  double se = 0;   // standard error for the interval
  double se0 = 0;  // standard error under the null hypothesis
  double po = 0;   // observed agreement (weighted when the test is)
  double pe = 0;   // chance agreement (weighted when the test is)
};

// How agreement is weighted.  Linear and quadratic weights are
// 1 - |i - j|^e / (k - 1)^e with e = 1 and 2, the values of these names.
enum class WeightMode { kNone = 0, kLinear = 1, kQuadratic = 2, kFile = 3 };

// How a weights text is understood once lower-cased: "", "no", "none"
// unweighted; "linear"; "quadratic"; anything else names a file.
WeightMode weightMode(const std::string& lowerCased);

// The statistics of the k x k matrix m (row-major, i = row) with the weights
// text (lower-cased in place) and confidence level p.  For a weights file,
// readWeights(name) returns its k x k values in row order.  All arithmetic
// follows IEEE rules: degenerate tables give infinities and not-a-numbers.
KappaResult kappaStatistics(
    int k, const std::vector<std::int64_t>& m, std::string& weightsText, double p,
    const std::function<std::vector<double>(const std::string&)>& readWeights);

// The agreement word: excellent above 0.8, good above 0.6, moderate above
// 0.4, poor above 0.2, bad from 0, very bad below 0 or for not-a-number.
std::string_view agreementWord(double kappa);

}  // namespace kappa

#endif  // KAPPA_KAPPA_STATISTICS_H_
