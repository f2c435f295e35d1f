#include "roc/empirical_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "roc/score_file.h"

namespace roc {
namespace {

// The curve from its definition: for every distinct threshold t, from the
// highest down, TPR = #positives with score >= t / #positives and FPR
// likewise, after (0, 0).
std::vector<RatePoint> definitionCurve(const ClassScores& s) {
  std::vector<double> cuts(s.positives);
  cuts.insert(cuts.end(), s.negatives.begin(), s.negatives.end());
  std::sort(cuts.begin(), cuts.end(), std::greater<>());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  auto share = [](const std::vector<double>& v, double t) {
    return static_cast<double>(
               std::count_if(v.begin(), v.end(), [&](double x) { return x >= t; })) /
           static_cast<double>(v.size());
  };
  std::vector<RatePoint> out = {{0, 0}};
  for (double t : cuts) out.push_back({share(s.negatives, t), share(s.positives, t)});
  return out;
}

// Score files of a few records on a grid of a few values, so that most
// scores are tied, often across the classes: the vertices are the
// definition's, and the trapezoids under them add up to the exact AUC.
TEST(EmpiricalCurve, VerticesAreTheDefinitionsAndTheAreaTheExactAuc) {
  int slanted = 0;  // curves with a tie across the classes
  for (unsigned seed = 0; seed < 300; ++seed) {
    std::mt19937 random(seed);
    const int records = 2 + static_cast<int>(random() % 25),
              grid = 2 + static_cast<int>(random() % 8);
    std::string text;
    for (int i = 0; i < records; ++i) {
      const int positive = static_cast<int>(random() % 2);
      text += std::to_string((random() % grid + positive * (random() % 3)) / double(grid + 2)) +
              "," + std::to_string(positive) + "\n";
    }
    ClassScores scores;
    readScores(text, "s.txt", &scores);
    const std::vector<RatePoint> got = empiricalCurve(scores);
    if (scores.positives.empty() || scores.negatives.empty()) {
      EXPECT_TRUE(got.empty()) << seed;
      continue;
    }
    EXPECT_EQ(got, definitionCurve(scores)) << seed;
    EXPECT_EQ(got.back(), (RatePoint{1, 1})) << seed;
    EXPECT_NEAR(trapezoidArea(got), exactAuc(scores, 0.95).auc, 1e-12) << seed;
    for (std::size_t k = 1; k < got.size(); ++k) {
      slanted += got[k].fpr != got[k - 1].fpr && got[k].tpr != got[k - 1].tpr;
    }
  }
  EXPECT_GT(slanted, 100);
}

// Untied scores give steps only; a run of tied scores holding both classes
// one slanted segment, and scores equal but for their sign of zero tie.
TEST(EmpiricalCurve, TiesAcrossClassesMakeOneSlantedSegment) {
  const struct {
    std::vector<double> positives, negatives;
    std::vector<RatePoint> vertices;
  } cases[] = {
      {{0.9, 0.7}, {0.8, 0.1}, {{0, 0}, {0, 0.5}, {0.5, 0.5}, {0.5, 1}, {1, 1}}},
      {{0.5, 0.5, 0.9}, {0.5, 0.2}, {{0, 0}, {0, 1.0 / 3}, {0.5, 1}, {1, 1}}},
      {{0.0}, {-0.0}, {{0, 0}, {1, 1}}},
      {{0.3}, {}, {}},
  };
  for (const auto& c : cases) {
    ClassScores s;
    s.positives = c.positives;
    s.negatives = c.negatives;
    EXPECT_EQ(empiricalCurve(s), c.vertices) << c.positives.size() << c.negatives.size();
  }
}

}  // namespace
}  // namespace roc
