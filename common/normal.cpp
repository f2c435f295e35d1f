#include "common/normal.h"

#include <cmath>

namespace common {
namespace {

constexpr double kP0[] = {-59.96335010141079, 98.00107541859997, -56.67628574690703,
                          13.93126093872797, -1.239165838673813};
constexpr double kQ0[] = {1.954488583381418,  4.676279128988815, 86.36024213908905,
                          -225.4626878541194, 200.2602123800607, -82.03722561683334,
                          15.90562251262117,  -1.1833162112133};
constexpr double kP1[] = {4.055448923059625,   31.52510945998939,    57.16281922464213,
                          44.08050738932008,   14.6849561928858,     2.186633068507903,
                          -0.1402560791713545, -0.03504246268278482, -0.0008574567851546854};
constexpr double kQ1[] = {15.77998832564668,    45.39076351288792,     41.3172038254672,
                          15.04253856929075,    2.504649462083094,     -0.1421829228547878,
                          -0.03808064076915783, -0.0009332594808954574};
constexpr double kP2[] = {3.23774891776946,      6.915228890689842,     3.938810252924744,
                          1.333034608158076,     0.2014853895491791,    0.012371663481782,
                          0.0003015815535082354, 2.658069746867376e-06, 6.239745391849833e-09};
constexpr double kQ2[] = {6.02427039364742,      3.679835638561609,    1.377020994890813,
                          0.2162369935944966,    0.01342040060885432,  0.0003280144646821277,
                          2.892478647453807e-06, 6.790194080099813e-09};

constexpr double kTail = 0.1353352832366127;       // e^-2
constexpr double kUpperTail = 0.8646647167633873;  // 1 - e^-2
constexpr double kRootTwoPi = 2.506628274631001;
constexpr double kOutOfRange = 1.797693134862315e308;

// c[0] v^n + ... + c[n].
template <std::size_t N>
double plain(const double (&c)[N], double v) {
  double r = c[0];
  for (std::size_t i = 1; i < N; ++i) r = r * v + c[i];
  return r;
}

// v^(n+1) + c[0] v^n + ... + c[n]: the leading 1 is not stored.
template <std::size_t N>
double monic(const double (&c)[N], double v) {
  double r = v + c[0];
  for (std::size_t i = 1; i < N; ++i) r = r * v + c[i];
  return r;
}

}  // namespace

double NormalQuantile(double y) {
  if (y <= 0 || y >= 1) {
    const double sign = y > 0 ? 1.0 : y < 0 ? -1.0 : 0.0;
    return sign * kOutOfRange;
  }
  bool lower = true;
  if (y > kUpperTail) {
    y = 1 - y;
    lower = false;
  }
  if (y > kTail) {
    const double u = y - 0.5;
    const double u2 = u * u;
    return (u + u * (u2 * plain(kP0, u2) / monic(kQ0, u2))) * kRootTwoPi;
  }
  const double x = std::sqrt(-2 * std::log(y));
  const double x0 = x - std::log(x) / x;
  const double z = 1 / x;
  const double x1 = x < 8.0 ? z * plain(kP1, z) / monic(kQ1, z) : z * plain(kP2, z) / monic(kQ2, z);
  const double result = x0 - x1;
  return lower ? -result : result;
}

double NormalCdf(double x) {
  double s = x / 1.414213562373095;
  if (x <= 0) s = -s;
  double sum = 0;
  for (int n = 1; n <= 37; ++n) {
    sum = sum + std::exp(-static_cast<double>(n) * n / 25) * std::sin(2 * n * s / 5) / n;
  }
  sum = (sum + s / 5) * 2 / 3.141592653589793;
  double result = x > 0 ? (1 + sum) / 2 : (1 - sum) / 2;
  if (x > 8.3) result = 1;
  if (x < -8.3) result = 0;
  return result;
}

}  // namespace common
