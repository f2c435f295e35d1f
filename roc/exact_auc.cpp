#include "roc/exact_auc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/normal.h"
#include "roc/side_by_side.h"
#include "roc/student_t.h"

namespace roc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A double's bits turned so that unsigned order is numeric order (-0 taken
// as +0, so that the two tie as they compare).
std::uint64_t sortKey(double v) {
  if (v == 0) v = 0;
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
  return (bits & kSign) ? ~bits : bits | kSign;
}

// The same for the single a double rounds to: rounding never reverses the
// order of two doubles, so this key orders them up to ties.
std::uint32_t singleKey(double v) {
  float f = static_cast<float>(v);
  if (f == 0) f = 0;
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  constexpr std::uint32_t kSign = std::uint32_t{1} << 31;
  return (bits & kSign) ? ~bits : bits | kSign;
}

// Sorts items[0, n) stably by the 32-bit key keyOf(item): a radix sort in
// three passes of 11 bits (the last of 10), linear in n, the digits of all
// passes counted in one read; a pass where every key has the same digit is
// skipped (scores of 0 to 1 share their top bits).  "spare" holds n items;
// returns the one of the two buffers that holds the result.
template <typename Item, typename KeyOf>
Item* radixSort(Item* items, Item* spare, std::size_t n, KeyOf keyOf) {
  constexpr int kPasses = 3, kBits = 11;
  constexpr std::uint32_t kMask = 0x7FF;
  std::vector<std::size_t> counts(kPasses * 2048, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t k = keyOf(items[i]);
    for (int pass = 0; pass < kPasses; ++pass)
      ++counts[2048 * pass + ((k >> (kBits * pass)) & kMask)];
  }
  for (int pass = 0; pass < kPasses; ++pass) {
    std::size_t* count = counts.data() + 2048 * pass;
    if (std::find(count, count + 2048, n) != count + 2048) continue;
    std::size_t next = 0;
    for (int d = 0; d < 2048; ++d) next += std::exchange(count[d], next);
    const int shift = kBits * pass;
    for (std::size_t i = 0; i < n; ++i) {
      spare[count[(keyOf(items[i]) >> shift) & kMask]++] = items[i];
    }
    std::swap(items, spare);
  }
  return items;
}

// Sorts items[0, n) stably by the double valueOf(item): by the single each
// rounds to in the radix sort's three passes, then each run of equal singles
// (doubles too close for a single to tell apart, as near-saturated scores
// are) by the double itself.  Returns the buffer that holds the result.
template <typename Item, typename ValueOf>
Item* sortByDouble(Item* items, Item* spare, std::size_t n, ValueOf valueOf) {
  Item* result =
      radixSort(items, spare, n, [&](const Item& item) { return singleKey(valueOf(item)); });
  for (std::size_t i = 0; i < n;) {
    const std::uint32_t key = singleKey(valueOf(result[i]));
    std::size_t j = i + 1;
    while (j < n && singleKey(valueOf(result[j])) == key) ++j;
    if (j - i > 1) {
      std::stable_sort(result + i, result + j, [&](const Item& a, const Item& b) {
        return sortKey(valueOf(a)) < sortKey(valueOf(b));
      });
    }
    i = j;
  }
  return result;
}

// A buffer of n items, not initialized, in large pages where the system
// allows.
template <typename Item>
std::unique_ptr<Item[]> largeBuffer(std::size_t n) {
  auto buffer = std::make_unique_for_overwrite<Item[]>(n);
  common::preferLargePages(buffer.get(), n * sizeof(Item));
  return buffer;
}

// -0 is taken as +0: the two compare equal.
double plusZero(double v) { return v == 0 ? 0.0 : v; }

std::vector<double> sorted(const std::vector<double>& values) {
  const std::size_t n = values.size();
  auto items = largeBuffer<double>(n), spare = largeBuffer<double>(n);
  for (std::size_t i = 0; i < n; ++i) items[i] = plusZero(values[i]);
  const double* result = sortByDouble(items.get(), spare.get(), n, [](double v) { return v; });
  std::vector<double> out;
  out.reserve(n);
  common::preferLargePages(out.data(), n * sizeof(double));
  out.insert(out.end(), result, result + n);
  return out;
}

// One class's scores in increasing order, each with its index in the input.
struct SortedWithOrigin {
  std::vector<double> values;
  std::vector<std::uint32_t> origin;
};

SortedWithOrigin sortedWithOrigin(const std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n > std::numeric_limits<std::uint32_t>::max()) {
    throw common::makeError(common::Fault::kTooLarge, "", "the paired comparison",
                            "more than 4294967295 records of one class");
  }
  struct Keyed {
    double value;
    std::uint32_t index;
  };
  auto items = largeBuffer<Keyed>(n), spare = largeBuffer<Keyed>(n);
  for (std::size_t i = 0; i < n; ++i) {
    items[i] = {plusZero(values[i]), static_cast<std::uint32_t>(i)};
  }
  const Keyed* result =
      sortByDouble(items.get(), spare.get(), n, [](const Keyed& item) { return item.value; });
  SortedWithOrigin out;
  out.values.resize(n);
  out.origin.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    out.values[i] = result[i].value;
    out.origin[i] = result[i].index;
  }
  return out;
}

// Each distinct value of "ofValues" (sorted) with how many of "others"
// (sorted) lie below it plus half those equal, divided by others' count:
// the placement every record of that value shares.
struct Groups {
  std::vector<double> value;
  std::vector<double> placement;
  std::vector<std::size_t> count;
};

Groups groupPlacements(const std::vector<double>& ofValues, const std::vector<double>& others,
                       bool below) {
  Groups g;
  const double n = static_cast<double>(others.size());
  std::size_t lower = 0;  // others[lower] is the first not below the value
  for (std::size_t i = 0; i < ofValues.size();) {
    const double v = ofValues[i];
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

// The placement of every record in input order, from the groups of its
// sorted values.
std::vector<double> inOrder(const SortedWithOrigin& sorted, const Groups& g) {
  std::vector<double> out(sorted.values.size());
  std::size_t j = 0;
  for (std::size_t group = 0; group < g.value.size(); ++group) {
    for (std::size_t end = j + g.count[group]; j < end; ++j) {
      out[sorted.origin[j]] = g.placement[group];
    }
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

// "v" held to [low, high], as an interval cannot pass the values its
// statistic can take; NaN stays NaN.
double clipped(double v, double low, double high) {
  return std::isnan(v) ? v : std::clamp(v, low, high);
}

}  // namespace

std::vector<double> sortedScores(const std::vector<double>& scores) { return sorted(scores); }

namespace {

// The exact AUC and the placements of one classifier's records.
struct ClassifierAuc {
  AucEstimate estimate;
  Placements placements;
};

ClassifierAuc classifierAuc(const ClassScores& scores, double level) {
  const SortedWithOrigin p = sortedWithOrigin(scores.positives);
  const SortedWithOrigin n = sortedWithOrigin(scores.negatives);
  ClassifierAuc out;
  out.estimate = exactAucOfSorted(p.values, n.values, level);
  out.placements.v10 = inOrder(p, groupPlacements(p.values, n.values, true));
  out.placements.v01 = inOrder(n, groupPlacements(n.values, p.values, false));
  return out;
}

}  // namespace

AucEstimate exactAuc(const ClassScores& scores, double level) {
  return exactAucOfSorted(sorted(scores.positives), sorted(scores.negatives), level);
}

AucEstimate exactAucOfSorted(const std::vector<double>& p, const std::vector<double>& q,
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
  e.low = clipped(e.auc - z * e.se, 0, 1);
  e.high = clipped(e.auc + z * e.se, 0, 1);
  return e;
}

AucComparison compareAucs(const ClassScores& first, const ClassScores& second, double level) {
  ClassifierAuc a, b;
  sideBySide([&] { a = classifierAuc(first, level); }, [&] { b = classifierAuc(second, level); });
  AucComparison c;
  c.first = a.estimate;
  c.second = b.estimate;
  c.difference = c.first.auc - c.second.auc;
  const std::size_t m = first.positives.size(), n = first.negatives.size();
  if (m < 2 || n < 2) {
    c.se = c.z = c.p = c.low = c.high = kNaN;
    return c;
  }
  const Placements& pa = a.placements;
  const Placements& pb = b.placements;
  const double variance =
      (covariance(pa.v10, pa.v10) + covariance(pb.v10, pb.v10) - 2 * covariance(pa.v10, pb.v10)) /
          static_cast<double>(m) +
      (covariance(pa.v01, pa.v01) + covariance(pb.v01, pb.v01) - 2 * covariance(pa.v01, pb.v01)) /
          static_cast<double>(n);
  c.se = std::sqrt(variance);
  c.z = c.difference / c.se;
  // From the tail itself: 1 - Cdf would lose every digit below 1e-16.
  c.p = std::erfc(std::fabs(c.z) / std::sqrt(2.0));
  const double z = zFor(level);
  c.low = clipped(c.difference - z * c.se, -1, 1);
  c.high = clipped(c.difference + z * c.se, -1, 1);
  return c;
}

AucComparison compareUnpairedAucs(const ClassScores& first, const ClassScores& second,
                                  double level) {
  AucComparison c;
  sideBySide([&] { c.first = exactAuc(first, level); },
             [&] { c.second = exactAuc(second, level); });
  c.difference = c.first.auc - c.second.auc;
  const double v1 = c.first.variance, v2 = c.second.variance;
  c.se = std::sqrt(v1 + v2);  // NaN when either is
  c.z = c.difference / c.se;
  // Referred to Student's t with Welch-Satterthwaite's degrees of freedom,
  // each sample's count of records less one, as pROC does.
  const double n1 = static_cast<double>(first.positives.size() + first.negatives.size());
  const double n2 = static_cast<double>(second.positives.size() + second.negatives.size());
  const double df = (v1 + v2) * (v1 + v2) / (v1 * v1 / (n1 - 1) + v2 * v2 / (n2 - 1));
  c.p = studentTwoSidedP(c.z, df);
  // The interval on the same distribution as the test, so that one excludes
  // 0 exactly when the other is below 1 - level.
  const double t = studentQuantile(level, df);
  c.low = clipped(c.difference - t * c.se, -1, 1);
  c.high = clipped(c.difference + t * c.se, -1, 1);
  return c;
}

}  // namespace roc
