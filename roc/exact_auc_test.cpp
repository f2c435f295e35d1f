#include "roc/exact_auc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "roc/report.h"

namespace roc {
namespace {

double psi(double x, double y) { return x > y ? 1.0 : x == y ? 0.5 : 0.0; }

double sampleCovariance(const std::vector<double>& a, const std::vector<double>& b) {
  double ma = 0, mb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) ma += a[i] / a.size(), mb += b[i] / b.size();
  double s = 0;
  for (std::size_t i = 0; i < a.size(); ++i) s += (a[i] - ma) * (b[i] - mb);
  return s / (a.size() - 1);
}

// Placements from the definitions: every (positive, negative) pair.
Placements brutePlacements(const ClassScores& s) {
  Placements p;
  for (double x : s.positives) {
    double sum = 0;
    for (double y : s.negatives) sum += psi(x, y);
    p.v10.push_back(sum / s.negatives.size());
  }
  for (double y : s.negatives) {
    double sum = 0;
    for (double x : s.positives) sum += psi(x, y);
    p.v01.push_back(sum / s.positives.size());
  }
  return p;
}

ClassScores randomScores(std::mt19937& random, std::size_t m, std::size_t n) {
  // Few distinct values, so that ties are common.
  std::uniform_int_distribution<int> value(0, 6);
  ClassScores s;
  for (std::size_t i = 0; i < m; ++i) s.positives.push_back(value(random) / 6.0f + 0.05f);
  for (std::size_t i = 0; i < n; ++i) s.negatives.push_back(value(random) / 7.0f);
  return s;
}

TEST(ExactAuc, EqualsTheDefinitionsWithTies) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 200; ++trial) {
    const ClassScores s = randomScores(random, 2 + random() % 30, 2 + random() % 30);
    const Placements brute = brutePlacements(s);
    double auc = 0;
    for (double v : brute.v10) auc += v / brute.v10.size();
    const double variance = sampleCovariance(brute.v10, brute.v10) / s.positives.size() +
                            sampleCovariance(brute.v01, brute.v01) / s.negatives.size();
    const AucEstimate e = exactAuc(s, 0.95);
    ASSERT_NEAR(e.auc, auc, 1e-12) << trial;
    ASSERT_NEAR(e.variance, variance, 1e-12) << trial;
    const double halfWidth = 1.959963984540054 * std::sqrt(variance);
    EXPECT_NEAR(e.high, std::min(1.0, auc + halfWidth), 1e-12);  // held to [0, 1]
    EXPECT_NEAR(e.low, std::max(0.0, auc - halfWidth), 1e-12);
  }
}

TEST(ExactAuc, PairedComparisonEqualsTheDefinitions) {
  std::mt19937 random(12);
  for (int trial = 0; trial < 100; ++trial) {
    const std::size_t m = 2 + random() % 20, n = 2 + random() % 20;
    const ClassScores a = randomScores(random, m, n), b = randomScores(random, m, n);
    const Placements pa = brutePlacements(a), pb = brutePlacements(b);
    const double variance = (sampleCovariance(pa.v10, pa.v10) + sampleCovariance(pb.v10, pb.v10) -
                             2 * sampleCovariance(pa.v10, pb.v10)) /
                                m +
                            (sampleCovariance(pa.v01, pa.v01) + sampleCovariance(pb.v01, pb.v01) -
                             2 * sampleCovariance(pa.v01, pb.v01)) /
                                n;
    const AucComparison c = compareAucs(a, b, 0.95);
    ASSERT_NEAR(c.difference, c.first.auc - c.second.auc, 1e-15);
    if (variance <= 0) continue;  // identical placements: no spread to test against
    ASSERT_NEAR(c.se, std::sqrt(variance), 1e-12) << trial;
    EXPECT_NEAR(c.z, c.difference / std::sqrt(variance), 1e-9);
  }
}

// Near-saturated scores, as a naive Bayes model gives (1 - 1e-9 and the
// like): apart in double precision, one value in single.  The AUC equals the
// pair count taken in whole numbers (2 per win, 1 per tie over 2 m n), and
// the interval stays within [0, 1].
// The sort the statistics stand on, against the library's: scores far apart
// and too close for a single to tell apart, ties, signs, infinities, zeros.
TEST(ExactAuc, SortedScoresEqualAPlainSort) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> unit(0, 1);
  const std::function<double()> kinds[] = {
      [&] { return unit(random); },
      [&] { return 1 - std::ldexp(unit(random), -30); },   // within 1e-9 of 1
      [&] { return std::round(unit(random) * 20) / 20; },  // many ties
      [&] { return (unit(random) - 0.5) * 1e300; },
      [&] {
        const double special[] = {0.0, -0.0, HUGE_VAL, -HUGE_VAL, 1e-310, -1e-310, 3.4e38, 1e39};
        return special[random() % 8];
      },
  };
  for (const auto& draw : kinds) {
    for (std::size_t n : {0, 1, 2, 1000, 100000}) {
      std::vector<double> v(n);
      for (double& x : v) x = draw();
      std::vector<double> expected = v;
      std::sort(expected.begin(), expected.end());
      const std::vector<double> got = sortedScores(v);
      ASSERT_EQ(got.size(), n);
      for (std::size_t i = 0; i < n; ++i) {
        ASSERT_EQ(got[i], expected[i]) << i;
        ASSERT_FALSE(std::signbit(got[i]) && got[i] == 0) << "-0 at " << i;
      }
    }
  }
}

TEST(ExactAuc, NearSaturatedScoresEqualTheExactPairCount) {
  std::mt19937 random(13);
  for (int trial = 0; trial < 50; ++trial) {
    ClassScores s;
    const std::size_t m = 2 + random() % 40, n = 2 + random() % 40;
    // Gaps of 1e-12 to 1e-8 below 1, few of them, so that ties remain.
    auto score = [&](int shift) { return 1 - static_cast<double>(random() % 8 + shift) * 1e-10; };
    for (std::size_t i = 0; i < m; ++i) s.positives.push_back(score(0));
    for (std::size_t i = 0; i < n; ++i) s.negatives.push_back(score(3));
    std::int64_t twice = 0;
    for (double x : s.positives) {
      for (double y : s.negatives) twice += x > y ? 2 : x == y ? 1 : 0;
    }
    const AucEstimate e = exactAuc(s, 0.95);
    ASSERT_NEAR(e.auc, static_cast<double>(twice) / static_cast<double>(2 * m * n), 1e-14) << trial;
    EXPECT_GE(e.low, 0.0);
    EXPECT_LE(e.high, 1.0);
  }
  // Perfect but for one negative above one positive: the plain interval
  // passes 1, the one reported stops there.
  ClassScores nearlyPerfect;
  nearlyPerfect.positives = {0.999, 0.998, 0.997, 0.996, 0.995, 0.994, 0.993, 0.992};
  nearlyPerfect.negatives = {0.9935, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7};
  const AucEstimate e = exactAuc(nearlyPerfect, 0.95);
  EXPECT_NEAR(e.auc, 62.0 / 64, 1e-15);
  EXPECT_GT(e.auc + 1.96 * e.se, 1.0);
  EXPECT_EQ(e.high, 1.0);
}

// The two-sided p of a large z: far below 1e-16, where 1 - Cdf(z) leaves
// nothing, yet as the normal tail's asymptotic series 2 phi(z) / z
// (1 - 1/z^2 + 3/z^4 - 15/z^6) gives it.
TEST(ExactAuc, ComparisonPOfALargeZKeepsItsDigits) {
  ClassScores good, poor;
  for (int i = 0; i < 400; ++i) {
    const double u = (i % 97) / 97.0;
    good.positives.push_back(0.6 + 0.4 * u);
    good.negatives.push_back(0.5 * u);
    poor.positives.push_back(u);
    poor.negatives.push_back((i * 37 % 101) / 101.0);
  }
  const AucComparison c = compareAucs(good, poor, 0.95);
  ASSERT_GT(c.z, 9.0);
  const double z = c.z, z2 = z * z;
  const double tail = 2 * std::exp(-z2 / 2) / std::sqrt(2 * std::numbers::pi) / z *
                      (1 - 1 / z2 + 3 / (z2 * z2) - 15 / (z2 * z2 * z2));
  EXPECT_NEAR(c.p / tail, 1.0, 1e-4) << c.p;
  EXPECT_LE(c.high, 1.0);
}

// Hanley and McNeil (1982): ratings 1 (definitely normal) to 5 (definitely
// abnormal) of 58 normal and 51 abnormal CT images; the area is 0.893.
TEST(ExactAuc, HanleyAndMcNeilRatings) {
  ClassScores s;
  const int normal[] = {33, 6, 6, 11, 2}, abnormal[] = {3, 2, 2, 11, 33};
  for (int rating = 1; rating <= 5; ++rating) {
    for (int i = 0; i < normal[rating - 1]; ++i) s.negatives.push_back(rating);
    for (int i = 0; i < abnormal[rating - 1]; ++i) s.positives.push_back(rating);
  }
  const AucEstimate e = exactAuc(s, 0.95);
  EXPECT_NEAR(e.auc, 0.893, 0.0005);
  EXPECT_GT(e.se, 0.02);
  EXPECT_LT(e.se, 0.04);
}

TEST(ExactAuc, DegenerateInputsSayNan) {
  ClassScores none;
  none.positives = {0.5f, 0.7f};
  EXPECT_TRUE(std::isnan(exactAuc(none, 0.95).auc));
  ClassScores one;
  one.positives = {0.9f};
  one.negatives = {0.1f, 0.2f};
  const AucEstimate e = exactAuc(one, 0.95);
  EXPECT_EQ(e.auc, 1.0);
  EXPECT_TRUE(std::isnan(e.se));  // one positive: no spread to estimate
  ClassScores equal;
  equal.positives = {0.5f, 0.5f};
  equal.negatives = {0.5f, 0.5f};
  EXPECT_EQ(exactAuc(equal, 0.95).auc, 0.5);
  EXPECT_TRUE(std::isnan(bestYouden(none).j));
}

// Youden's J over the cuts between distinct scores, reported in the
// picture's rule (positive when the score is above the threshold): the rates
// printed are those the rule gives, at the threshold and at the midpoint.
TEST(ExactAuc, YoudenThresholdFollowsThePicturesRule) {
  struct Row {
    std::vector<double> positives, negatives;
    double threshold, midpoint, tpr, fpr;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Row rows[] = {
      // Cut between 0.4 and 0.55: TPR 1, FPR 1/4, J 0.75 (cuts below 0.8 and
      // 0.6 give 0.5, below 0.4 gives 0.5).
      {{0.9, 0.8, 0.6, 0.55}, {0.7, 0.4, 0.2, 0.1}, 0.4, 0.475, 1, 0.25},
      // On a tie the highest cut wins: above 0.7 and above 0.1 both give 0.5.
      {{0.9, 0.6}, {0.7, 0.1}, 0.7, 0.8, 0.5, 0},
      // Near-saturated scores stay apart.
      {{1 - 1e-9, 1 - 2e-9}, {1 - 3e-9, 0.5}, 1 - 3e-9, 1 - 2.5e-9, 1, 0},
      // Every positive below every negative: no cut beats "all positive".
      {{0.1, 0.2}, {0.8, 0.9}, -inf, -inf, 1, 1},
  };
  for (const Row& row : rows) {
    ClassScores s;
    s.positives = row.positives;
    s.negatives = row.negatives;
    const Youden y = bestYouden(s);
    EXPECT_DOUBLE_EQ(y.threshold, row.threshold);
    EXPECT_DOUBLE_EQ(y.midpoint, row.midpoint);
    EXPECT_DOUBLE_EQ(y.tpr, row.tpr);
    EXPECT_DOUBLE_EQ(y.fpr, row.fpr);
    for (double cut : {y.threshold, y.midpoint}) {
      auto above = [cut](const std::vector<double>& v) {
        return static_cast<double>(
                   std::count_if(v.begin(), v.end(), [cut](double x) { return x > cut; })) /
               static_cast<double>(v.size());
      };
      EXPECT_EQ(above(s.positives), y.tpr) << row.threshold;
      EXPECT_EQ(above(s.negatives), y.fpr) << row.threshold;
    }
  }
}

}  // namespace
}  // namespace roc
