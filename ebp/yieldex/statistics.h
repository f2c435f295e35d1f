// The error statistics of Yieldex: mean square error and the coefficient of
// determination per output and over all (pattern, output) pairs pooled.
#ifndef EBP_YIELDEX_STATISTICS_H_
#define EBP_YIELDEX_STATISTICS_H_

#include <vector>

namespace yieldex {

// Running sums of network outputs y and targets t, and whether either has
// taken more than one value (rounding in the sums cannot tell a constant
// column from one that varies very little).
struct Accumulator {
  double sy = 0, st = 0, syy = 0, stt = 0, syt = 0, sse = 0;
  double firstY = 0, firstT = 0;
  bool started = false, yVaries = false, tVaries = false;
  void add(double y, double t) {
    if (!started) {
      started = true;
      firstY = y;
      firstT = t;
    }
    yVaries = yVaries || y != firstY;
    tVaries = tVaries || t != firstT;
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
// two patterns, or outputs or targets that are all equal (for some output, or
// pooled), or a product of the variances that rounding leaves at or below 0.
Statistics computeStatistics(const std::vector<Accumulator>& perOutput, const Accumulator& pooled,
                             long nP);

}  // namespace yieldex

#endif  // EBP_YIELDEX_STATISTICS_H_
