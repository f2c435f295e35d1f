#include "ebp/tremora/permutation_importance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "ebp/forward_pass.h"
#include "test_support/scratch_dir.h"

namespace tremora {
namespace {

namespace fs = std::filesystem;

// A network of random weights over random patterns in 0..1, input 2 cut off
// from the hidden layer.
struct Network {
  ebp::PatternSet set;
  ebp::EbpWeights w;
};
Network randomNetwork(int nI, int nH, int nO, long nP, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> uniform(0, 1);
  Network n;
  n.set.nI = nI;
  n.set.nO = nO;
  n.set.nP = nP;
  for (long p = 0; p < nP; ++p) {
    for (int i = 0; i < nI; ++i) n.set.inputs.push_back(uniform(random));
    n.set.inputs.push_back(1);
    for (int k = 0; k < nO; ++k) n.set.targets.push_back(uniform(random));
  }
  n.w.nI = nI;
  n.w.nH = nH;
  n.w.nO = nO;
  for (int i = 1; i <= nI + 1; ++i) {
    for (int j = 1; j <= nH + 1; ++j) n.w.w1.push_back(i == 2 ? 0 : 8 * uniform(random) - 4);
  }
  for (int j = 0; j < (nH + 1) * nO; ++j) n.w.w2.push_back(8 * uniform(random) - 4);
  return n;
}

// The mean squared error of the network with input i's column set to
// "column", one pattern at a time through the whole forward pass.
double mseWith(const Network& n, int i, const std::vector<double>& column) {
  ebp::PatternSet set = n.set;
  std::vector<double> hidden(static_cast<std::size_t>(n.w.nH) + 1),
      y(static_cast<std::size_t>(n.w.nO));
  double sum = 0;
  for (long p = 1; p <= set.nP; ++p) {
    if (i > 0) set.inputRow(p)[i - 1] = column[static_cast<std::size_t>(p - 1)];
    ebp::forwardPass(set.inputRow(p), n.w, hidden.data(), y.data());
    for (int k = 1; k <= set.nO; ++k) {
      const double d = set.target(p, k) - y[static_cast<std::size_t>(k - 1)];
      sum += d * d;
    }
  }
  return sum / static_cast<double>(set.nP * set.nO);
}

// Every input shuffled by the same index vectors, each applied to the column
// the repeat before left, through the plain forward pass; the interval from
// Student's t with 3 degrees of freedom (0.975 quantile 3.182446305284263).
TEST(PermutationImportance, AgreesWithBruteForceOnTheSamePermutations) {
  const Network n = randomNetwork(3, 4, 2, 60, 5);
  const long repeats = 4;
  const PermutationImportance got = permutationImportance(n.set, n.w, repeats, 11);
  const double base = mseWith(n, 0, {});
  EXPECT_NEAR(got.baseMse, base, 1e-15);
  ASSERT_EQ(got.inputs.size(), 3u);
  for (int i = 1; i <= 3; ++i) {
    std::vector<double> column;
    for (long p = 1; p <= n.set.nP; ++p) column.push_back(n.set.inputRow(p)[i - 1]);
    PermutationSequence order(11, n.set.nP);
    std::vector<double> increases;
    for (long r = 0; r < repeats; ++r) {
      const std::vector<long>& index = order.next();
      std::vector<double> next;
      for (long p : index) next.push_back(column[static_cast<std::size_t>(p)]);
      column = next;
      increases.push_back(mseWith(n, i, column) - base);
    }
    double mean = 0, squares = 0;
    for (double d : increases) mean += d / repeats;
    for (double d : increases) squares += (d - mean) * (d - mean);
    const InputImportance& m = got.inputs[static_cast<std::size_t>(i - 1)];
    EXPECT_NEAR(m.mean, mean, 1e-14) << i;
    EXPECT_NEAR(m.std, std::sqrt(squares / repeats), 1e-14) << i;
    const double half = 3.182446305284263 * std::sqrt(squares / (repeats - 1) / repeats);
    EXPECT_NEAR(m.low, mean - half, 1e-13) << i;
    EXPECT_NEAR(m.high, mean + half, 1e-13) << i;
    if (i == 2) {
      EXPECT_EQ(m.mean, 0);  // a column the network does not read
    } else {
      EXPECT_GT(m.std, 0) << i;
    }
  }
  // One repeat has no interval; the same seed gives the same result, another
  // seed another one.
  const PermutationImportance once = permutationImportance(n.set, n.w, 1, 11);
  EXPECT_TRUE(std::isnan(once.inputs[0].low));
  EXPECT_EQ(permutationText(permutationImportance(n.set, n.w, repeats, 11)), permutationText(got));
  EXPECT_NE(permutationImportance(n.set, n.w, repeats, 12).inputs[0].mean, got.inputs[0].mean);
}

// Each shuffle is a permutation, and all 6 orders of 3 come equally often
// (a shuffle that favoured some would bias the importance's spread).
TEST(PermutationImportance, ShufflesAreUniformPermutations) {
  std::map<std::vector<long>, int> seen;
  PermutationSequence order(3, 3);
  const int draws = 60000;
  for (int d = 0; d < draws; ++d) ++seen[order.next()];
  ASSERT_EQ(seen.size(), 6u);
  for (const auto& [permutation, count] : seen) EXPECT_NEAR(count, draws / 6, 400);
  PermutationSequence large(3, 1000);
  const std::vector<long>& index = large.next();
  EXPECT_EQ(std::set<long>(index.begin(), index.end()).size(), 1000u);
}

TEST(PermutationImportance, LinesAndTable) {
  PermutationImportance r;
  r.repeats = 1;
  r.seed = 18446744073709551615u;
  r.baseMse = 0.125;
  r.inputs.push_back({0.5, 0.25, std::nan(""), std::nan("")});
  EXPECT_EQ(permutationText(r),
            "repeats\t1\nseed\t18446744073709551615\nbase_mse\t0.125\n"
            "importance_mean_input_1\t0.5\nimportance_std_input_1\t0.25\n"
            "importance_low_input_1\tnan\nimportance_high_input_1\tnan\n");
  EXPECT_EQ(permutationTable(r).text(),
            "input\timportance_mean\timportance_std\timportance_low\timportance_high\n"
            "1\t0.5\t0.25\tNaN\tNaN\n");
}

// scikit-learn's permutation_importance with the negative mean squared
// error as its score, handed the same index vectors through a file, gives
// the same means and standard deviations.
TEST(PermutationImportance, AgreesWithScikitLearn) {
  const fs::path python = "/usr/bin/python3";
  if (!fs::exists(python)) GTEST_SKIP() << "no python3";
  support::ScratchDir scratch("tremora_permutation");
  const Network n = randomNetwork(3, 2, 2, 80, 7);
  const long repeats = 3;
  char text[40];
  std::string pat = "3 2 80\n", wgt = "3 2 2\n", order = "";
  for (long p = 1; p <= n.set.nP; ++p) {
    for (int i = 0; i < 3; ++i) {
      std::snprintf(text, sizeof text, "%.17g ", n.set.inputRow(p)[i]);
      pat += text;
    }
    for (int k = 1; k <= 2; ++k) {
      std::snprintf(text, sizeof text, "%.17g ", n.set.target(p, k));
      pat += text;
    }
    pat += "\n";
  }
  for (const std::vector<double>* block : {&n.w.w1, &n.w.w2}) {
    for (double v : *block) {
      std::snprintf(text, sizeof text, "%.17g\n", v);
      wgt += text;
    }
  }
  PermutationSequence sequence(99, n.set.nP);
  for (long r = 0; r < repeats; ++r) {
    for (long p : sequence.next()) order += std::to_string(p) + " ";
    order += "\n";
  }
  const std::string files[3] = {scratch.file("n.pat", pat), scratch.file("n.wgt", wgt),
                                scratch.file("order.txt", order)};
  const fs::path script =
      fs::path(EXAMPLES_DIR).parent_path() / "tests" / "ebp" / "sklearn_permutation.py";
  const std::string command = python.string() + " " + script.string() + " " + files[0] + " " +
                              files[1] + " " + files[2] + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  for (int c; (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
  const int status = ::pclose(pipe);
  if (status != 0 && out.find("sklearn") != std::string::npos) {
    GTEST_SKIP() << "no scikit-learn (./run setup installs python3-sklearn): " << out;
  }
  ASSERT_EQ(status, 0) << out;
  const PermutationImportance ours = permutationImportance(n.set, n.w, repeats, 99);
  std::istringstream lines(out);
  int compared = 0;
  for (std::string name; lines >> name;) {
    double value = 0;
    lines >> value;
    const int i = std::stoi(name.substr(name.rfind('_') + 1));
    const InputImportance& m = ours.inputs.at(static_cast<std::size_t>(i - 1));
    const double mine = name.rfind("importance_mean", 0) == 0 ? m.mean : m.std;
    EXPECT_NEAR(mine, value, 1e-12 * std::fabs(value) + 1e-16) << name;
    ++compared;
  }
  EXPECT_EQ(compared, 6) << out;
}

}  // namespace
}  // namespace tremora
