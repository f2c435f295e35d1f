// The error statistics of Yieldex: mean square error and the coefficient of
// determination per output and over all (pattern, output) pairs pooled.
#ifndef EBP_YIELDEX_STATISTICS_H_
#define EBP_YIELDEX_STATISTICS_H_

#include <vector>

namespace ebp {

// Running sums of network outputs y and targets t.
struct Accumulator {
  double sy = 0, st = 0, syy = 0, stt = 0, syt = 0, sse = 0;
  void add(double y, double t) {
    const double d = t - y;
    sse = sse + d * d;
    sy = sy + y;
    st = st + t;
    syy = syy + y * y;
    stt = stt + t * t;
    syt = syt + y * t;
  }
};

struct Fit {
  double mse = 0;
  double r2 = 0;
};

struct Statistics {
  Fit overall;
  std::vector<Fit> outputs;  // output k at index k - 1
};

// The statistics from the per-output and pooled sums of nP patterns.
// Throws ToolError(kDivisionByZero) at the first zero denominator: fewer than
// two patterns, or outputs or targets that do not vary (for some output, or
// pooled).
Statistics computeStatistics(const std::vector<Accumulator>& perOutput, const Accumulator& pooled,
                             long nP);

}  // namespace ebp

#endif  // EBP_YIELDEX_STATISTICS_H_
