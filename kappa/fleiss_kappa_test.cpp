#include "kappa/fleiss_kappa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace kappa {
namespace {

// Fleiss' kappa from its definition on the raters' labels themselves: the
// share of agreeing pairs among all ordered pairs of distinct raters of a
// subject, averaged over subjects, against the chance that two ratings
// drawn from all of them agree.
double kappaFromPairs(const std::vector<std::vector<int>>& labels, int categories) {
  double agreeing = 0, pairs = 0;
  std::vector<double> share(static_cast<std::size_t>(categories), 0.0);
  double ratings = 0;
  for (const std::vector<int>& subject : labels) {
    double same = 0, all = 0;
    for (std::size_t a = 0; a < subject.size(); ++a) {
      share[static_cast<std::size_t>(subject[a])] += 1;
      ratings += 1;
      for (std::size_t b = 0; b < subject.size(); ++b) {
        if (a == b) continue;
        all += 1;
        same += subject[a] == subject[b] ? 1 : 0;
      }
    }
    agreeing += same / all;
    pairs += 1;
  }
  double chance = 0;
  for (double s : share) chance += (s / ratings) * (s / ratings);
  return (agreeing / pairs - chance) / (1 - chance);
}

std::vector<std::int64_t> countsOf(const std::vector<std::vector<int>>& labels, int categories) {
  std::vector<std::int64_t> counts;
  for (const std::vector<int>& subject : labels) {
    std::vector<std::int64_t> row(static_cast<std::size_t>(categories), 0);
    for (int label : subject) ++row[static_cast<std::size_t>(label)];
    counts.insert(counts.end(), row.begin(), row.end());
  }
  return counts;
}

// Tables of raters' labels, drawn with a fixed linear congruential
// sequence and tilted toward agreement, of several shapes.
TEST(FleissKappa, AgreesWithPairwiseDefinition) {
  std::uint32_t state = 12345;
  auto next = [&state](int below) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(below));
  };
  for (const auto& [subjects, raters, categories] :
       std::vector<std::tuple<int, int, int>>{{30, 6, 5}, {12, 2, 3}, {50, 9, 4}, {7, 3, 2}}) {
    std::vector<std::vector<int>> labels;
    for (int i = 0; i < subjects; ++i) {
      const int favourite = next(categories);
      std::vector<int> subject;
      for (int r = 0; r < raters; ++r)
        subject.push_back(next(3) == 0 ? next(categories) : favourite);
      labels.push_back(subject);
    }
    const FleissResult r = fleissKappa(countsOf(labels, categories), labels.size(),
                                       static_cast<std::size_t>(categories));
    EXPECT_NEAR(r.kappa, kappaFromPairs(labels, categories), 1e-12) << subjects;
    EXPECT_NEAR(r.z, r.kappa / r.se0, 1e-12);
    EXPECT_NEAR(r.pValue, std::erfc(std::fabs(r.z) / std::sqrt(2.0)), 1e-15);
  }
}

// Worked by hand.  Two categories: se0 reduces to sqrt(2 / (N n (n - 1)))
// whatever the shares, and each category's kappa is the overall one.
// Subjects (2, 0), (1, 1), (0, 2) of 2 raters: Pbar = 2/3, Pe = 1/2,
// kappa = 1/3, se0 = sqrt(2 / 6).  The published example of 10 subjects, 14
// raters and 5 categories, whose kappa is 0.210.
TEST(FleissKappa, WorkedExamples) {
  const FleissResult two = fleissKappa({2, 0, 1, 1, 0, 2}, 3, 2);
  EXPECT_NEAR(two.kappa, 1.0 / 3, 1e-15);
  EXPECT_NEAR(two.se0, std::sqrt(2.0 / 6), 1e-15);
  ASSERT_EQ(two.categoryKappa.size(), 2u);
  EXPECT_NEAR(two.categoryKappa[0], 1.0 / 3, 1e-15);
  EXPECT_NEAR(two.categoryKappa[1], 1.0 / 3, 1e-15);
  const FleissResult skewed = fleissKappa({3, 0, 3, 0, 2, 1, 0, 3, 3, 0}, 5, 2);
  EXPECT_NEAR(skewed.se0, std::sqrt(2.0 / 30), 1e-15);
  EXPECT_NEAR(skewed.categoryKappa[0], skewed.kappa, 1e-15);

  const std::vector<std::int64_t> published = {0, 0, 0, 0, 14, 0, 2, 6, 4, 2, 0, 0, 3, 5, 6, 0, 3,
                                               9, 2, 0, 2, 2,  8, 1, 1, 7, 7, 0, 0, 0, 3, 2, 6, 3,
                                               0, 2, 5, 3, 2,  2, 6, 5, 2, 1, 0, 0, 2, 2, 3, 7};
  EXPECT_NEAR(fleissKappa(published, 10, 5).kappa, 0.210, 0.0005);
}

// One category used by every rater, or one rater a subject: kappa is 0/0.
TEST(FleissKappa, DegenerateTablesAreNotANumber) {
  EXPECT_TRUE(std::isnan(fleissKappa({3, 0, 3, 0}, 2, 2).kappa));
  EXPECT_TRUE(std::isnan(fleissKappa({1, 0, 0, 1}, 2, 2).kappa));
}

}  // namespace
}  // namespace kappa
