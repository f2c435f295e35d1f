#include "ebp/yieldex/statistics.h"

#include <cmath>
#include <string>

#include "common/errors.h"

namespace yieldex {
namespace {

[[noreturn]] void stop(const std::string& what, const std::string& why) {
  throw common::makeError(common::Fault::kDivisionByZero, "", "the statistics of " + what, why);
}

double divide(double numerator, double denominator, const std::string& what,
              const char* why = "fewer than two patterns") {
  if (denominator == 0) stop(what, why);
  return numerator / denominator;
}

// Targets far outside the outputs' 0..1 can take a sum beyond the doubles:
// that is an overflow, not the zero variance it would later look like.
void checkSums(const Accumulator& a, const std::string& what) {
  for (const double sum : {a.sse, a.st, a.stt, a.sy, a.syy, a.syt}) {
    if (!std::isfinite(sum)) {
      throw common::makeError(common::Fault::kOverflow, "", "the statistics of " + what,
                              "a sum of the targets lies beyond double precision (a target "
                              "far outside the outputs' range of 0 to 1)");
    }
  }
}

// R^2 as the squared correlation, with the n - 1 forms of the variances.  A
// column of equal values has no variance whatever rounding leaves in the sums,
// so it stops here rather than giving a correlation of noise.
double rSquared(const Accumulator& a, double n, const std::string& what) {
  const double inverse = divide(1, n - 1, what);
  if (!a.tVaries) stop(what, "the targets are all equal");
  if (!a.yVaries) stop(what, "the network's outputs are all equal");
  const double varY = (a.syy - divide(a.sy * a.sy, n, what)) * inverse;
  const double varT = (a.stt - divide(a.st * a.st, n, what)) * inverse;
  const double cov = (a.syt - divide(a.st * a.sy, n, what)) * inverse;
  const double product = varT * varY;
  if (!(product > 0)) stop(what, "the variances' product is not above 0 after rounding");
  const double r = cov / std::sqrt(product);
  return r * r;
}

}  // namespace

Statistics computeStatistics(const std::vector<Accumulator>& perOutput, const Accumulator& pooled,
                             long nP) {
  Statistics s;
  const double n = static_cast<double>(nP);
  for (std::size_t k = 0; k < perOutput.size(); ++k) {
    const std::string what = "output " + std::to_string(k + 1);
    checkSums(perOutput[k], what);
    Fit fit;
    fit.mse = divide(perOutput[k].sse, n, what);
    fit.r2 = rSquared(perOutput[k], n, what);
    s.outputs.push_back(fit);
  }
  checkSums(pooled, "all outputs");
  const double nO = static_cast<double>(perOutput.size());
  s.overall.mse = divide(divide(pooled.sse, n, "all outputs"), nO, "all outputs", "no outputs");
  s.overall.r2 = rSquared(pooled, n * nO, "all outputs");
  return s;
}

}  // namespace yieldex
