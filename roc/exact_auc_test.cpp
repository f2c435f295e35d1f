#include "roc/exact_auc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "roc/report.h"

namespace roc {
namespace {

double psi(float x, float y) { return x > y ? 1.0 : x == y ? 0.5 : 0.0; }

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
  for (float x : s.positives) {
    double sum = 0;
    for (float y : s.negatives) sum += psi(x, y);
    p.v10.push_back(sum / s.negatives.size());
  }
  for (float y : s.negatives) {
    double sum = 0;
    for (float x : s.positives) sum += psi(x, y);
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
    EXPECT_NEAR(e.high - e.auc, 1.959963984540054 * std::sqrt(variance), 1e-12);
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

// Youden's J over the distinct scores: the threshold that keeps the most
// positives above it for the fewest negatives.
TEST(ExactAuc, YoudenPicksTheBestDistinctScore) {
  ClassScores s;
  s.positives = {0.9f, 0.8f, 0.6f, 0.55f};
  s.negatives = {0.7f, 0.4f, 0.2f, 0.1f};
  const Youden y = bestYouden(s);
  // At 0.55: TPR 1, FPR 1/4, J 0.75 (0.8 and 0.6 give 0.5, 0.4 gives 0.5).
  EXPECT_FLOAT_EQ(static_cast<float>(y.threshold), 0.55f);
  EXPECT_DOUBLE_EQ(y.tpr, 1.0);
  EXPECT_DOUBLE_EQ(y.fpr, 0.25);
  EXPECT_DOUBLE_EQ(y.j, 0.75);
  // On a tie the highest threshold wins: 0.9 and 0.6 both give J = 0.5 here.
  s.positives = {0.9f, 0.6f};
  s.negatives = {0.7f, 0.1f};
  EXPECT_FLOAT_EQ(static_cast<float>(bestYouden(s).threshold), 0.9f);
}

}  // namespace
}  // namespace roc
