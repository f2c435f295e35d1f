#include "roc/sweep.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace roc {
namespace {

struct Record {
  float score;
  std::uint8_t observedClass;
};

// The sweep exactly as described: every record against every threshold.
// The fast sweep must agree with it bit for bit.
RocResult literalSweep(const std::vector<Record>& records, std::vector<Confusion>* perThreshold) {
  RocResult r;
  double t = 0.0;
  int k = 0;
  while (t <= 1.0) {
    Confusion c;
    for (const Record& rec : records) {
      const int p = static_cast<double>(rec.score) > t ? 1 : 0;
      const unsigned cls = rec.observedClass;
      if (p + cls == 2) ++c.tp;
      if (p + cls == 0) ++c.tn;
      if (p == 1 && cls == 0) ++c.fp;
      if (p == 0 && cls == 1) ++c.fn;
    }
    if (perThreshold) perThreshold->push_back(c);
    r.tpr[k] = static_cast<float>(static_cast<double>(c.tp) / static_cast<double>(c.fn + c.tp));
    r.fpr[k] = static_cast<float>(static_cast<double>(c.fp) / static_cast<double>(c.fp + c.tn));
    const double d = std::fabs(static_cast<double>(r.tpr[k]) - r.fpr[k]) / 1.414213562373095;
    if (d > r.dmax) {
      r.dmax = d;
      r.kbest = k;
      r.best = c;
      const double n = static_cast<double>(c.tp + c.fp + c.fn + c.tn);
      const double pObs = (c.fn + c.tp) / n;
      const double pPred = (c.fp + c.tp) / n;
      r.matthews = (c.tp / n - pPred * pObs) / std::sqrt(pPred * pObs * (1 - pObs) * (1 - pPred));
    }
    k += 1;
    t = t + 0.01;
  }
  return r;
}

ScoreHistogram histogramOf(const std::vector<Record>& records) {
  ScoreHistogram h;
  for (const Record& rec : records) h.add(rec.score, rec.observedClass);
  h.setRecords(static_cast<std::int64_t>(records.size()));
  return h;
}

bool sameBits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void expectSameResult(const RocResult& fast, const RocResult& literal) {
  for (int k = 0; k <= kLastPoint; ++k) {
    EXPECT_TRUE(sameBits(fast.fpr[k], literal.fpr[k])) << "fpr " << k;
    EXPECT_TRUE(sameBits(fast.tpr[k], literal.tpr[k])) << "tpr " << k;
  }
  EXPECT_EQ(fast.kbest, literal.kbest);
  EXPECT_TRUE(sameBits(fast.dmax, literal.dmax));
  EXPECT_EQ(fast.best, literal.best);
  EXPECT_TRUE(sameBits(fast.matthews, literal.matthews))
      << fast.matthews << " " << literal.matthews;
}

TEST(Sweep, ThresholdsAreAccumulated) {
  const std::vector<double>& t = sweepThresholds();
  ASSERT_EQ(t.size(), 100u);
  EXPECT_EQ(t[0], 0.0);
  EXPECT_EQ(t[10], 0.09999999999999999);
  EXPECT_EQ(t[25], 0.25000000000000006);
  EXPECT_EQ(t[30], 0.3000000000000001);
  EXPECT_NEAR(t[99], 0.99, 1e-12);
}

TEST(Sweep, SingleScoresAgainstDoubleThresholds) {
  // 0.1 as a single is 0.100000001490116, above the 11th threshold; so is
  // 0.3 above the 31st; 0.25 is exact and not above 0.25000000000000006.
  EXPECT_GT(thresholdsExceeded(0.1f), 10);
  EXPECT_EQ(thresholdsExceeded(0.1f), 11);
  EXPECT_EQ(thresholdsExceeded(0.3f), 31);
  EXPECT_EQ(thresholdsExceeded(0.25f), 25);
  EXPECT_EQ(thresholdsExceeded(0.0f), 0);
  EXPECT_EQ(thresholdsExceeded(-3.0f), 0);
  EXPECT_EQ(thresholdsExceeded(std::nanf("")), 0);
  EXPECT_EQ(thresholdsExceeded(0.995f), 100);
  EXPECT_EQ(thresholdsExceeded(std::numeric_limits<float>::infinity()), 100);
  EXPECT_EQ(thresholdsExceeded(1e-30f), 1);
}

// Scores that sit on, just below and just above the thresholds, and every
// special value, with classes 0, 1, 2 and others.
TEST(Sweep, FastCountsEqualTheLiteralLoopOnRandomFiles) {
  std::mt19937 random(2024);
  const std::vector<double>& t = sweepThresholds();
  const float specials[] = {0.0f,
                            -0.0f,
                            -1.0f,
                            1.0f,
                            2.0f,
                            0.1f,
                            0.3f,
                            0.25f,
                            0.5f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::nanf(""),
                            std::numeric_limits<float>::denorm_min()};
  const std::uint8_t classes[] = {0, 1, 1, 0, 2, 3, 255};
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<Record> records(1 + random() % 400);
    for (Record& rec : records) {
      switch (random() % 4) {
        case 0: {
          float near = static_cast<float>(t[random() % t.size()]);
          int steps = static_cast<int>(random() % 5) - 2;
          for (; steps > 0; --steps) near = std::nextafter(near, 2.0f);
          for (; steps < 0; ++steps) near = std::nextafter(near, -2.0f);
          rec.score = near;
          break;
        }
        case 1:
          rec.score = specials[random() % std::size(specials)];
          break;
        default:
          rec.score = std::uniform_real_distribution<float>(-0.2f, 1.2f)(random);
      }
      rec.observedClass = trial % 3 == 0 ? classes[random() % std::size(classes)]
                                         : static_cast<std::uint8_t>(random() % 2);
    }
    std::vector<Confusion> literalCounts;
    const RocResult literal = literalSweep(records, &literalCounts);
    const ScoreHistogram histogram = histogramOf(records);
    for (int k = 0; k < static_cast<int>(literalCounts.size()); ++k) {
      ASSERT_EQ(histogram.countsAt(k), literalCounts[k]) << "trial " << trial << " k " << k;
    }
    expectSameResult(sweep(histogram), literal);
  }
}

TEST(Sweep, PerfectClassifier) {
  const std::vector<Record> records = {{0.1f, 0}, {0.2f, 0}, {0.35f, 0}, {0.6f, 1}, {0.9f, 1}};
  RocResult r = sweep(histogramOf(records));
  EXPECT_EQ(r.fpr[r.kbest], 0.0f);
  EXPECT_EQ(r.tpr[r.kbest], 1.0f);
  EXPECT_EQ(r.dmax, 1 / 1.414213562373095);
  EXPECT_EQ(r.kbest, 35);  // the first threshold at or above 0.35
  EXPECT_EQ(r.best, (Confusion{2, 0, 0, 3}));
  EXPECT_DOUBLE_EQ(r.matthews, 1.0);
  EXPECT_EQ(areaUnderCurve(r), 1.0f);
  EXPECT_EQ(r.fpr[kLastPoint], 0.0f);  // never reached: the origin
  EXPECT_EQ(r.tpr[kLastPoint], 0.0f);
}

TEST(Sweep, NoPositivesOrNoNegativesLeaveTheInitialBestPoint) {
  for (std::uint8_t only : {0, 1}) {
    const std::vector<Record> records = {{0.2f, only}, {0.7f, only}};
    RocResult r = sweep(histogramOf(records));
    for (int k = 0; k < 100; ++k) {
      EXPECT_TRUE(std::isnan(only == 0 ? r.tpr[k] : r.fpr[k])) << k;
    }
    EXPECT_EQ(r.kbest, 0);
    EXPECT_EQ(r.dmax, -9000000000.0);
    EXPECT_EQ(r.best, Confusion{});
    EXPECT_EQ(r.matthews, 0.0);
    EXPECT_TRUE(std::isnan(areaUnderCurve(r)));
  }
}

TEST(Sweep, ClassTwoFollowsTheFourTestsLiterally) {
  // A class 2 predicted negative is a true positive (p + c = 2); predicted
  // positive it counts nowhere, so N shrinks.
  ScoreHistogram h;
  h.add(0.0f, 2);
  h.add(0.5f, 2);
  h.add(0.5f, 1);
  h.add(0.2f, 0);
  EXPECT_EQ(h.countsAt(0), (Confusion{1 + 1, 1, 0, 0}));
  EXPECT_EQ(h.countsAt(30), (Confusion{1 + 1, 0, 0, 1}));
  EXPECT_EQ(h.countsAt(60), (Confusion{2, 0, 1, 1}));
  h.add(0.7f, 7);  // any other class counts nowhere
  EXPECT_EQ(h.countsAt(60), (Confusion{2, 0, 1, 1}));
}

TEST(Sweep, TiesKeepTheLowestThreshold) {
  // Positives above 0.8, negatives below 0.3: every threshold from 0.3 to
  // 0.8 reaches the same distance.
  const std::vector<Record> records = {{0.25f, 0}, {0.85f, 1}};
  RocResult r = sweep(histogramOf(records));
  EXPECT_EQ(r.kbest, 25);
}

TEST(Sweep, MatthewsWithAnEmptyPredictedClassIsNotANumber) {
  // All predicted negative: pPred = 0, the denominator is 0.
  EXPECT_TRUE(std::isnan(matthews(Confusion{0, 0, 3, 4})));
  EXPECT_TRUE(std::isnan(matthews(Confusion{3, 4, 0, 0})));
  EXPECT_NEAR(matthews(Confusion{40, 10, 5, 45}), 0.70352647068145, 1e-12);
}

TEST(Sweep, AreaUnderCurveOfAKnownCurve) {
  RocResult r;
  // (1,1) -> (0.5, 1) -> (0.5, 0.5) -> (0, 0.5) -> origin: area 0.5 + 0.25.
  r.fpr[0] = 0.5f;
  r.tpr[0] = 1.0f;
  r.fpr[1] = 0.5f;
  r.tpr[1] = 0.5f;
  r.fpr[2] = 0.0f;
  r.tpr[2] = 0.5f;
  EXPECT_EQ(areaUnderCurve(r), 0.75f);
}

}  // namespace
}  // namespace roc
