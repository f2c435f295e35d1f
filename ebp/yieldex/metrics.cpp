#include "ebp/yieldex/metrics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace yieldex {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// An output of exactly 0 or 1 (a saturated logistic) would make the log
// loss infinite: like scikit-learn, outputs are held a machine epsilon
// inside the interval.
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

std::string number(double v) {
  if (std::isnan(v)) return "nan";
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, end);
}

void line(std::string& out, const char* name, int output, double value) {
  out += name;
  out += "_output_" + std::to_string(output) + '\t' + number(value) + '\n';
}

}  // namespace

Metrics::Metrics(int outputs) : sums_(static_cast<std::size_t>(std::max(outputs, 0))) {}

void Metrics::add(int output, double y, double t) {
  Sums& s = sums_[static_cast<std::size_t>(output - 1)];
  ++s.n;
  // Welford's update: the spread of the targets without the cancellation of
  // a sum of squares less a squared sum.
  const double d = t - s.meanT;
  s.meanT += d / static_cast<double>(s.n);
  s.spreadT += d * (t - s.meanT);
  const double e = t - y;
  s.squared += e * e;
  s.absolute += std::fabs(e);
  s.binary = s.binary && (t == 0 || t == 1);
  if (!s.binary) return;
  const double p = std::clamp(y, kEpsilon, 1 - kEpsilon);
  s.logLoss -= t == 1 ? std::log(p) : std::log(1 - p);
  if ((y >= 0.5) == (t == 1)) ++s.correct;
}

OutputMetrics Metrics::of(int output) const {
  const Sums& s = sums_[static_cast<std::size_t>(output - 1)];
  OutputMetrics m;
  const double n = static_cast<double>(s.n);
  if (s.n == 0) return {kNan, kNan, kNan, kNan, kNan};
  m.r2Score = s.spreadT > 0 ? 1 - s.squared / s.spreadT : kNan;
  m.meanAbsoluteError = s.absolute / n;
  m.logLoss = s.binary ? s.logLoss / n : kNan;
  m.brierScore = s.binary ? s.squared / n : kNan;
  m.accuracy = s.binary ? static_cast<double>(s.correct) / n : kNan;
  return m;
}

std::string Metrics::text() const {
  std::string out;
  for (int k = 1; k <= static_cast<int>(sums_.size()); ++k) {
    const OutputMetrics m = of(k);
    line(out, "r2_score", k, m.r2Score);
    line(out, "mean_absolute_error", k, m.meanAbsoluteError);
    line(out, "log_loss", k, m.logLoss);
    line(out, "brier_score", k, m.brierScore);
    line(out, "accuracy", k, m.accuracy);
  }
  return out;
}

}  // namespace yieldex
