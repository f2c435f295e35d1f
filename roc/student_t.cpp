#include "roc/student_t.h"

#include <cmath>
#include <limits>

namespace roc {
namespace {

// The continued fraction of the incomplete beta function, evaluated by the
// modified Lentz method (Press et al., Numerical Recipes, 6.4).
double betaFraction(double a, double b, double x) {
  constexpr double kTiny = 1e-300, kEpsilon = 1e-16;
  const double qab = a + b, qap = a + 1, qam = a - 1;
  double c = 1, d = 1 - qab * x / qap;
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1 / d;
  double h = d;
  for (int m = 1; m <= 1000; ++m) {
    const double m2 = 2.0 * m;
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    const double step = d * c;
    h *= step;
    if (std::fabs(step - 1) < kEpsilon) break;
  }
  return h;
}

// The regularized incomplete beta function I_x(a, b), 0 <= x <= 1.
double regularizedBeta(double x, double a, double b) {
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                a * std::log(x) + b * std::log1p(-x));
  // The fraction converges fast on this side of the mean; the other side
  // by symmetry.
  if (x < (a + 1) / (a + b + 2)) return front * betaFraction(a, b, x) / a;
  return 1 - front * betaFraction(b, a, 1 - x) / b;
}

}  // namespace

double studentTwoSidedP(double t, double df) {
  if (std::isnan(t) || std::isnan(df) || !(df > 0)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (std::isinf(df)) return std::erfc(std::fabs(t) / std::sqrt(2.0));
  if (std::isinf(t)) return 0;
  return regularizedBeta(df / (df + t * t), df / 2, 0.5);
}

double studentQuantile(double level, double df) {
  const double tail = 1 - level;
  if (!(tail > 0 && tail < 1) || std::isnan(studentTwoSidedP(0, df))) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // The tail falls as t grows: widen the bracket, then halve it.
  double low = 0, high = 1;
  while (studentTwoSidedP(high, df) > tail && high < 1e300) high *= 2;
  for (int step = 0; step < 200 && high - low > 1e-15 * high; ++step) {
    const double middle = (low + high) / 2;
    (studentTwoSidedP(middle, df) > tail ? low : high) = middle;
  }
  return (low + high) / 2;
}

}  // namespace roc
