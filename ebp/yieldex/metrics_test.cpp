#include "ebp/yieldex/metrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace yieldex {
namespace {

struct Pair {
  double y, t;
};

// The measures straight from their definitions, with the targets' mean
// taken first and every sum over the whole list.
OutputMetrics fromDefinitions(const std::vector<Pair>& pairs) {
  const double n = static_cast<double>(pairs.size());
  double mean = 0;
  bool binary = true;
  for (const Pair& p : pairs) {
    mean += p.t;
    binary = binary && (p.t == 0 || p.t == 1);
  }
  mean /= n;
  double ssTot = 0, ssRes = 0, absolute = 0, logLoss = 0, correct = 0;
  const double eps = std::numeric_limits<double>::epsilon();
  for (const Pair& p : pairs) {
    ssTot += (p.t - mean) * (p.t - mean);
    ssRes += (p.t - p.y) * (p.t - p.y);
    absolute += std::fabs(p.t - p.y);
    const double q = std::fmin(std::fmax(p.y, eps), 1 - eps);
    logLoss += -(p.t * std::log(q) + (1 - p.t) * std::log(1 - q));
    correct += (p.y >= 0.5 ? 1 : 0) == p.t ? 1 : 0;
  }
  const double nan = std::nan("");
  return {ssTot > 0 ? 1 - ssRes / ssTot : nan, absolute / n, binary ? logLoss / n : nan,
          binary ? ssRes / n : nan, binary ? correct / n : nan};
}

void expectClose(double got, double want, const char* what, int row) {
  if (std::isnan(want)) {
    EXPECT_TRUE(std::isnan(got)) << what << " row " << row << ": " << got;
  } else {
    EXPECT_NEAR(got, want, 1e-12 * std::fmax(1, std::fabs(want))) << what << " row " << row;
  }
}

// Outputs of several kinds side by side, each checked against the
// definitions: the pairs of all outputs are added interleaved, pattern by
// pattern, as a run adds them.
TEST(YieldexMetrics, EachOutputAgreesWithTheDefinitions) {
  std::mt19937 random(26);
  std::uniform_real_distribution<double> uniform(0, 1);
  std::vector<std::vector<Pair>> outputs(5);
  for (int p = 0; p < 3000; ++p) {
    const double y = uniform(random);
    // A classifier, right more often than not.
    outputs[0].push_back({y, uniform(random) < y ? 1.0 : 0.0});
    // A regression: targets anywhere in 0..1, with an offset.
    outputs[1].push_back({y, std::fmin(1, y * 0.8 + 0.3 * uniform(random))});
    // Saturated outputs, 0 and 1 exactly, wrong now and then: the log loss
    // is clipped, not infinite.
    outputs[2].push_back(
        {y < 0.5 ? 0.0 : 1.0, p % 97 == 0 ? (y < 0.5 ? 1.0 : 0.0) : (y < 0.5 ? 0.0 : 1.0)});
    // Targets of one value: r2_score has no denominator.
    outputs[3].push_back({y, 1.0});
    // Targets 0/1 but one 0.5 among them: not a classifier's.
    outputs[4].push_back({y, p == 1234 ? 0.5 : (y > 0.5 ? 1.0 : 0.0)});
  }
  Metrics metrics(5);
  for (std::size_t p = 0; p < outputs[0].size(); ++p) {
    for (int k = 1; k <= 5; ++k) metrics.add(k, outputs[k - 1][p].y, outputs[k - 1][p].t);
  }
  for (int k = 1; k <= 5; ++k) {
    const OutputMetrics got = metrics.of(k), want = fromDefinitions(outputs[k - 1]);
    expectClose(got.r2Score, want.r2Score, "r2_score", k);
    expectClose(got.meanAbsoluteError, want.meanAbsoluteError, "mae", k);
    expectClose(got.logLoss, want.logLoss, "log_loss", k);
    expectClose(got.brierScore, want.brierScore, "brier", k);
    expectClose(got.accuracy, want.accuracy, "accuracy", k);
  }
  EXPECT_GT(metrics.of(3).logLoss, 0.3);  // 31 clipped errors of 36 each, over 3000
  EXPECT_TRUE(std::isnan(metrics.of(4).r2Score));
  EXPECT_FALSE(std::isnan(metrics.of(4).logLoss));
}

// The lines scripts read: every output's five names, the numbers in their
// shortest exact form, nan where undefined (no pairs at all for output 2).
TEST(YieldexMetrics, LinesNameEveryOutput) {
  Metrics metrics(2);
  metrics.add(1, 0.25, 0);
  metrics.add(1, 0.5, 1);  // 0.5 counts as class 1
  EXPECT_EQ(metrics.text(),
            "r2_score_output_1\t0.375\n"
            "mean_absolute_error_output_1\t0.375\n"
            "log_loss_output_1\t0.4904146265058631\n"
            "brier_score_output_1\t0.15625\n"
            "accuracy_output_1\t1\n"
            "r2_score_output_2\tnan\n"
            "mean_absolute_error_output_2\tnan\n"
            "log_loss_output_2\tnan\n"
            "brier_score_output_2\tnan\n"
            "accuracy_output_2\tnan\n");
}

}  // namespace
}  // namespace yieldex
