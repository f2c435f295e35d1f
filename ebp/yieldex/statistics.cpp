#include "ebp/yieldex/statistics.h"

#include <cmath>
#include <string>

#include "common/errors.h"

namespace ebp {
namespace {

double divide(double numerator, double denominator, const std::string& what) {
  if (denominator == 0) {
    throw common::ToolError(common::Fault::kDivisionByZero,
                            "division by zero in the statistics of " + what +
                                " (fewer than two patterns, or outputs or targets that do not "
                                "vary)");
  }
  return numerator / denominator;
}

// R^2 as the squared correlation, with the n - 1 forms of the variances.
double rSquared(const Accumulator& a, double n, const std::string& what) {
  const double inverse = divide(1, n - 1, what);
  const double varY = (a.syy - divide(a.sy * a.sy, n, what)) * inverse;
  const double varT = (a.stt - divide(a.st * a.st, n, what)) * inverse;
  const double cov = (a.syt - divide(a.st * a.sy, n, what)) * inverse;
  const double r = divide(cov, std::sqrt(varT * varY), what);
  return r * r;
}

}  // namespace

Statistics computeStatistics(const std::vector<Accumulator>& perOutput, const Accumulator& pooled,
                             long nP) {
  Statistics s;
  const double n = static_cast<double>(nP);
  for (std::size_t k = 0; k < perOutput.size(); ++k) {
    const std::string what = "output " + std::to_string(k + 1);
    Fit fit;
    fit.mse = divide(perOutput[k].sse, n, what);
    fit.r2 = rSquared(perOutput[k], n, what);
    s.outputs.push_back(fit);
  }
  const double nO = static_cast<double>(perOutput.size());
  s.overall.mse = divide(divide(pooled.sse, n, "all outputs"), nO, "all outputs");
  s.overall.r2 = rSquared(pooled, n * nO, "all outputs");
  return s;
}

}  // namespace ebp
