#include "roc/exact_auc.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/normal.h"

namespace roc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// For each value of "values": how many of "sorted" lie below it, plus half
// those equal to it.
std::vector<double> below(const std::vector<float>& values, const std::vector<float>& sorted) {
  std::vector<double> counts;
  counts.reserve(values.size());
  for (float v : values) {
    const auto lower = std::lower_bound(sorted.begin(), sorted.end(), v);
    const auto upper = std::upper_bound(lower, sorted.end(), v);
    counts.push_back(static_cast<double>(lower - sorted.begin()) +
                     0.5 * static_cast<double>(upper - lower));
  }
  return counts;
}

double mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return sum / static_cast<double>(v.size());
}

// The sample covariance of two series of the same length.
double covariance(const std::vector<double>& a, const std::vector<double>& b) {
  const double ma = mean(a), mb = mean(b);
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - ma) * (b[i] - mb);
  return sum / static_cast<double>(a.size() - 1);
}

double zFor(double level) { return common::NormalQuantile(level + (1 - level) / 2); }

}  // namespace

Placements placements(const std::vector<float>& positives, const std::vector<float>& negatives) {
  std::vector<float> sortedNegatives = negatives, sortedPositives = positives;
  std::sort(sortedNegatives.begin(), sortedNegatives.end());
  std::sort(sortedPositives.begin(), sortedPositives.end());
  Placements p;
  p.v10 = below(positives, sortedNegatives);
  for (double& v : p.v10) v /= static_cast<double>(negatives.size());
  // Positives above a negative, half the equal ones: m - (below + half equal).
  p.v01 = below(negatives, sortedPositives);
  for (double& v : p.v01) {
    v = (static_cast<double>(positives.size()) - v) / static_cast<double>(positives.size());
  }
  return p;
}

AucEstimate exactAuc(const ClassScores& scores, double level) {
  AucEstimate e;
  const std::size_t m = scores.positives.size(), n = scores.negatives.size();
  if (m == 0 || n == 0) {
    e.auc = e.variance = e.se = e.low = e.high = kNaN;
    return e;
  }
  const Placements p = placements(scores.positives, scores.negatives);
  e.auc = mean(p.v10);
  e.variance = m < 2 || n < 2 ? kNaN
                              : covariance(p.v10, p.v10) / static_cast<double>(m) +
                                    covariance(p.v01, p.v01) / static_cast<double>(n);
  e.se = std::sqrt(e.variance);
  const double z = zFor(level);
  e.low = e.auc - z * e.se;
  e.high = e.auc + z * e.se;
  return e;
}

AucComparison compareAucs(const ClassScores& first, const ClassScores& second, double level) {
  AucComparison c;
  c.first = exactAuc(first, level);
  c.second = exactAuc(second, level);
  c.difference = c.first.auc - c.second.auc;
  const std::size_t m = first.positives.size(), n = first.negatives.size();
  if (m < 2 || n < 2) {
    c.se = c.z = c.p = c.low = c.high = kNaN;
    return c;
  }
  const Placements a = placements(first.positives, first.negatives);
  const Placements b = placements(second.positives, second.negatives);
  const double variance =
      (covariance(a.v10, a.v10) + covariance(b.v10, b.v10) - 2 * covariance(a.v10, b.v10)) /
          static_cast<double>(m) +
      (covariance(a.v01, a.v01) + covariance(b.v01, b.v01) - 2 * covariance(a.v01, b.v01)) /
          static_cast<double>(n);
  c.se = std::sqrt(variance);
  c.z = c.difference / c.se;
  c.p = 2 * (1 - common::NormalCdf(std::fabs(c.z)));
  const double z = zFor(level);
  c.low = c.difference - z * c.se;
  c.high = c.difference + z * c.se;
  return c;
}

}  // namespace roc
