#include "ebp/forward_pass.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "common/errors.h"
#include "common/mapped_file.h"

namespace ebp {
namespace {

EbpWeights network(int nI, int nH, int nO, double fill) {
  EbpWeights w;
  w.nI = nI;
  w.nH = nH;
  w.nO = nO;
  w.w1.assign(static_cast<std::size_t>(nI + 1) * (nH + 1), fill);
  w.w2.assign(static_cast<std::size_t>(nH + 1) * nO, fill);
  return w;
}

std::vector<double> outputsOf(const EbpWeights& w, std::vector<double> x) {
  std::vector<double> hidden(static_cast<std::size_t>(w.nH) + 1), y(static_cast<std::size_t>(w.nO));
  forwardPass(x.data(), w, hidden.data(), y.data());
  return y;
}

TEST(ForwardPass, ZeroWeightsGiveOneHalf) {
  const EbpWeights w = network(3, 4, 2, 0.0);
  EXPECT_EQ(outputsOf(w, {0.3, 0.9, 0.1, 1}), (std::vector<double>{0.5, 0.5}));
}

TEST(ForwardPass, NoHiddenNodesLeavesTheBiasOnly) {
  EbpWeights w = network(2, 0, 2, 0.0);
  w.hiddenToOutput(1, 1) = 2;
  w.hiddenToOutput(1, 2) = -1;
  for (double x : {0.0, 0.7, 1.0}) {
    EXPECT_EQ(outputsOf(w, {x, 1 - x, 1}),
              (std::vector<double>{1 / (std::exp(-2.0) + 1), 1 / (std::exp(1.0) + 1)}));
  }
}

TEST(ForwardPass, WeightsIntoTheHiddenBiasHaveNoEffect) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> value(-2, 2);
  EbpWeights w = network(4, 3, 2, 0.0);
  for (double& v : w.w1) v = value(random);
  for (double& v : w.w2) v = value(random);
  const std::vector<double> x = {0.1, 0.5, 0.9, 0.3, 1};
  const std::vector<double> before = outputsOf(w, x);
  for (int i = 1; i <= 5; ++i) w.inputToHidden(i, 4) = value(random) * 100;
  EXPECT_EQ(outputsOf(w, x), before);
}

TEST(ForwardPass, BiasInputAddsItsWeight) {
  EbpWeights w = network(1, 1, 1, 0.0);
  w.inputToHidden(2, 1) = 1;  // from the bias input
  w.hiddenToOutput(1, 1) = 1;
  std::vector<double> hidden(2), y(1);
  const double x[] = {0.25, 1};
  forwardPass(x, w, hidden.data(), y.data());
  EXPECT_EQ(hidden[0], 1 / (std::exp(-1.0) + 1));
  EXPECT_EQ(hidden[1], 1.0);
}

TEST(ForwardPass, OverflowingNetInputIsAnError) {
  // Two inputs, two hidden nodes, one output; weights not listed are 0.
  struct Row {
    const char* name;
    double x1, x2;
    std::vector<std::pair<int, double>> w1;  // (index into w1, weight)
    std::vector<std::pair<int, double>> w2;
    const char* message;
  } rows[] = {
      {"exp overflows",
       1,
       1,
       {{0, -1000}},
       {},
       "the net input -1000 is beyond the activation's range"},
      {"hidden sum +inf",
       10,
       10,
       {{0, 1e308}, {3, 1e308}},
       {},
       "a weighted sum lies beyond double precision (the net input is inf)"},
      {"hidden sum -inf",
       10,
       0,
       {{0, -1e308}},
       {},
       "a weighted sum lies beyond double precision (the net input is -inf)"},
      {"hidden sum inf - inf",
       10,
       10,
       {{0, 1e308}, {3, -1e308}},
       {},
       "a weighted sum lies beyond double precision (the net input is nan)"},
      {"hidden bias node's sum",
       10,
       10,
       {{2, 1e308}, {5, 1e308}},
       {},
       "a weighted sum lies beyond double precision (the net input is inf)"},
      {"output sum +inf",
       0,
       0,
       {},
       {{0, 1.7e308}, {2, 1.7e308}},
       "a weighted sum lies beyond double precision (the net input is inf)"},
      {"sums at the edge of the doubles",
       1,
       1,
       {{0, 1.7e308}, {3, -1.7e308}},
       {{0, 1.7e308}, {2, -8.5e307}},
       nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EbpWeights w = network(2, 2, 1, 0.0);
    for (const auto& [at, v] : r.w1) w.w1[static_cast<std::size_t>(at)] = v;
    for (const auto& [at, v] : r.w2) w.w2[static_cast<std::size_t>(at)] = v;
    const double x[] = {r.x1, r.x2, 1};
    std::vector<double> hidden(3), y(1);
    try {
      forwardPass(x, w, hidden.data(), y.data());
      EXPECT_EQ(r.message, nullptr);
      EXPECT_TRUE(y[0] > 0 && y[0] < 1) << y[0];
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.fault(), common::Fault::kOverflow);
      EXPECT_EQ(std::string(e.what()), std::string("overflow: ") + (r.message ? r.message : ""));
    }
  }
  EbpWeights w = network(1, 1, 1, 0.0);
  w.inputToHidden(1, 1) = -1000;
  PatternSet set;
  set.nI = 1;
  set.nO = 1;
  set.nP = 5000;
  set.inputs.assign(10000, 0.0);
  for (long p = 1; p <= 5000; ++p) set.inputRow(p)[1] = 1;
  set.inputRow(3001)[0] = 1;  // the only pattern whose net input overflows
  set.inputRow(4500)[0] = 1;
  try {
    forwardAll(set, w, 2);
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("pattern 3001: overflow", 0), 0u) << e.what();
  }
  // The failure falls in the second thread's half (3001 of 1 .. 5000), and
  // every row before it, in both halves, holds its outputs.
  std::vector<double> out(5000, -1.0);
  const auto failure = forwardBlock(set, w, 1, 5000, out.data(), 2);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->pattern, 3001);
  EXPECT_EQ(std::string(failure->error.what()).rfind("pattern 3001: overflow", 0), 0u);
  for (std::size_t row = 0; row < 3000; ++row) ASSERT_EQ(out[row], 0.5) << row;
  EXPECT_FALSE(forwardBlock(set, w, 1, 3000, out.data(), 2));
}

// The plain loops of the description, one node at a time.
void referencePass(const double* x, const EbpWeights& w, double* y) {
  std::vector<double> h(static_cast<std::size_t>(w.nH) + 1);
  for (int j = 1; j <= w.nH + 1; ++j) {
    double sum = 0;
    for (int i = 1; i <= w.nI + 1; ++i) {
      sum = sum + w.w1[static_cast<std::size_t>(i - 1) * (w.nH + 1) + (j - 1)] * x[i - 1];
    }
    h[static_cast<std::size_t>(j - 1)] = 1 / (std::exp(-sum) + 1);
  }
  h[static_cast<std::size_t>(w.nH)] = 1;
  for (int k = 1; k <= w.nO; ++k) {
    double sum = 0;
    for (int j = 1; j <= w.nH + 1; ++j) {
      sum = sum + w.w2[static_cast<std::size_t>(j - 1) * w.nO + (k - 1)] *
                      h[static_cast<std::size_t>(j - 1)];
    }
    y[k - 1] = 1 / (std::exp(-sum) + 1);
  }
}

TEST(ForwardPass, AllPatternsEqualThePlainLoopsBitForBit) {
  std::mt19937 random(17);
  for (int trial = 0; trial < 20; ++trial) {
    const int nI = 1 + static_cast<int>(random() % 40);
    const int nH = static_cast<int>(random() % 25);
    const int nO = 1 + static_cast<int>(random() % 7);
    EbpWeights w = network(nI, nH, nO, 0.0);
    std::normal_distribution<double> weight(0, 1.5);
    for (double& v : w.w1) v = weight(random);
    for (double& v : w.w2) v = weight(random);
    PatternSet set;
    set.nI = nI;
    set.nO = nO;
    set.nP = 1 + static_cast<long>(random() % 5000);
    set.inputs.resize(static_cast<std::size_t>(set.nP) * (nI + 1));
    std::uniform_real_distribution<double> input(0, 1);
    for (long p = 1; p <= set.nP; ++p) {
      for (int i = 0; i < nI; ++i) set.inputRow(p)[i] = input(random);
      set.inputRow(p)[nI] = 1;
    }
    const std::vector<double> fast = forwardAll(set, w, 2);
    std::vector<double> expected(static_cast<std::size_t>(nO));
    for (long p = 1; p <= set.nP; ++p) {
      referencePass(set.inputRow(p), w, expected.data());
      for (int k = 0; k < nO; ++k) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(fast[static_cast<std::size_t>(p - 1) * nO + k]),
                  std::bit_cast<std::uint64_t>(expected[static_cast<std::size_t>(k)]))
            << "trial " << trial << " pattern " << p;
      }
    }
  }
}

// The example network gives what the library that trained it gives.
TEST(ForwardPass, ExampleNetworkMatchesItsTrainer) {
  const std::string dir = std::string(EXAMPLES_DIR) + "/ebp/";
  common::MappedFile pat(dir + "cancer.pat");
  common::MappedFile wgt(dir + "cancer.wgt");
  NumberStream ps(pat.text(), "cancer.pat");
  NumberStream ws(wgt.text(), "cancer.wgt");
  const PatternHeader ph = readPatternHeader(ps);
  const WeightsHeader wh = readWeightsHeader(ws);
  const PatternSet set = readPatterns(ps, wh.nI, wh.nO, ph.nP);
  const EbpWeights w = readWeights(ws, wh.nI, wh.nH, wh.nO);
  const std::vector<double> y = forwardAll(set, w);
  std::ifstream expected(dir + "cancer.expected");
  double value = 0;
  long count = 0;
  while (expected >> value) {
    ASSERT_LT(count, set.nP);
    EXPECT_NEAR(y[static_cast<std::size_t>(count)], value, 1e-12 * std::fabs(value)) << count;
    ++count;
  }
  EXPECT_EQ(count, 569);
}

}  // namespace
}  // namespace ebp
