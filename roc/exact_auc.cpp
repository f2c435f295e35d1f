#include "roc/exact_auc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "common/normal.h"

namespace roc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A float's bits turned so that unsigned order is numeric order (-0 taken
// as +0, so that the two tie as they compare).
std::uint32_t sortKey(float v) {
  if (v == 0) v = 0;
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

// The values in increasing order: a radix sort, four passes of a byte,
// linear in the count (scores are many and sorted once).
std::vector<float> sorted(const std::vector<float>& values) {
  const std::size_t n = values.size();
  // Buffers left uninitialized: every element is written before it is read.
  auto keys = std::make_unique_for_overwrite<std::uint32_t[]>(n);
  auto spare = std::make_unique_for_overwrite<std::uint32_t[]>(n);
  for (std::size_t i = 0; i < n; ++i) keys[i] = sortKey(values[i]);
  for (int shift = 0; shift < 32; shift += 8) {
    std::size_t counts[257] = {};
    for (std::size_t i = 0; i < n; ++i) ++counts[((keys[i] >> shift) & 0xFF) + 1];
    // Every key with the same byte here: the pass would change nothing.
    if (std::find(counts + 1, counts + 257, n) != counts + 257) continue;
    for (int b = 0; b < 256; ++b) counts[b + 1] += counts[b];
    for (std::size_t i = 0; i < n; ++i) spare[counts[(keys[i] >> shift) & 0xFF]++] = keys[i];
    keys.swap(spare);
  }
  std::vector<float> out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t k = keys[i];
    const std::uint32_t bits = (k & 0x80000000u) ? k & 0x7FFFFFFFu : ~k;
    float v;
    std::memcpy(&v, &bits, sizeof bits);
    out.push_back(v);
  }
  return out;
}

// Each distinct value of "ofValues" (sorted) with how many of "others"
// (sorted) lie below it plus half those equal, divided by others' count:
// the placement every record of that value shares.
struct Groups {
  std::vector<float> value;
  std::vector<double> placement;
  std::vector<std::size_t> count;
};

Groups groupPlacements(const std::vector<float>& ofValues, const std::vector<float>& others,
                       bool below) {
  Groups g;
  const double n = static_cast<double>(others.size());
  std::size_t lower = 0;  // others[lower] is the first not below the value
  for (std::size_t i = 0; i < ofValues.size();) {
    const float v = ofValues[i];
    std::size_t j = i;
    while (j < ofValues.size() && ofValues[j] == v) ++j;
    while (lower < others.size() && others[lower] < v) ++lower;
    std::size_t upper = lower;
    while (upper < others.size() && others[upper] == v) ++upper;
    const double less = static_cast<double>(lower), equal = static_cast<double>(upper - lower);
    const double more = n - less - equal;
    g.value.push_back(v);
    g.placement.push_back(((below ? less : more) + 0.5 * equal) / n);
    g.count.push_back(j - i);
    i = j;
  }
  return g;
}

// The placement of every value of "values", in their order, from the groups.
std::vector<double> inOrder(const std::vector<float>& values, const Groups& g) {
  std::vector<double> out;
  out.reserve(values.size());
  for (float v : values) {
    const float key = v == 0 ? 0.0f : v;
    const auto at = std::lower_bound(g.value.begin(), g.value.end(), key);
    out.push_back(g.placement[static_cast<std::size_t>(at - g.value.begin())]);
  }
  return out;
}

// Mean and sample variance of the placements, group by group.
std::pair<double, double> meanAndVariance(const Groups& g) {
  double total = 0, n = 0;
  for (std::size_t i = 0; i < g.value.size(); ++i) {
    total += g.placement[i] * static_cast<double>(g.count[i]);
    n += static_cast<double>(g.count[i]);
  }
  const double mean = total / n;
  double squares = 0;
  for (std::size_t i = 0; i < g.value.size(); ++i) {
    const double d = g.placement[i] - mean;
    squares += d * d * static_cast<double>(g.count[i]);
  }
  return {mean, n < 2 ? kNaN : squares / (n - 1)};
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

std::vector<float> sortedScores(const std::vector<float>& scores) { return sorted(scores); }

Placements placements(const std::vector<float>& positives, const std::vector<float>& negatives) {
  const std::vector<float> p = sorted(positives), n = sorted(negatives);
  Placements out;
  out.v10 = inOrder(positives, groupPlacements(p, n, true));
  out.v01 = inOrder(negatives, groupPlacements(n, p, false));
  return out;
}

AucEstimate exactAuc(const ClassScores& scores, double level) {
  return exactAucOfSorted(sorted(scores.positives), sorted(scores.negatives), level);
}

AucEstimate exactAucOfSorted(const std::vector<float>& p, const std::vector<float>& q,
                             double level) {
  AucEstimate e;
  const std::size_t m = p.size(), n = q.size();
  if (m == 0 || n == 0) {
    e.auc = e.variance = e.se = e.low = e.high = kNaN;
    return e;
  }
  const auto [auc, s10] = meanAndVariance(groupPlacements(p, q, true));
  const auto [unused, s01] = meanAndVariance(groupPlacements(q, p, false));
  (void)unused;
  e.auc = auc;
  e.variance = s10 / static_cast<double>(m) + s01 / static_cast<double>(n);
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
