#include "ebp/tremora/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/errors.h"
#include "common/number_forms.h"
#include "ebp/forward_pass.h"
#include "ebp/tremora/sensitivity_pages.h"
#include "ebp/tremora/sensitivity_results.h"
#include "ebp/tremora/tremora_run.h"
#include "test_support/scratch_dir.h"

namespace tremora {
namespace {

namespace fs = std::filesystem;

struct Scratch : support::ScratchDir {
  Scratch() : support::ScratchDir("tremora_test") {}
  SensitivityFiles files(const std::string& pat, const std::string& wgt, const std::string& noise,
                         const std::string& results = "test.err") const {
    return {file("n.pat", pat), file("n.wgt", wgt), (dir / results).string(),
            file("noise.cfg", noise)};
  }
};

SensitivityHooks mode(bool fixed) {
  SensitivityHooks hooks;
  hooks.fixed = [fixed] { return fixed; };
  return hooks;
}

// The analysis as the loops describe it, one pattern and one number at a
// time, writing the results text.  The fast analysis must write these bytes.
std::string literalResults(const SensitivityFiles& f, ebp::PatternSet set, const ebp::EbpWeights& w,
                           long perturbations, const std::vector<float>& levels, bool fixed,
                           UniformRandom& random) {
  std::string text = "\"patterns\",\"" + f.patterns + "\"\r\n\"weights\",\"" + f.weights +
                     "\"\r\n\"noise levels\",\"" + f.noise + "\"\r\n";
  const ebp::PatternSet pristine = set;
  std::vector<double> hidden(static_cast<std::size_t>(w.nH) + 1), y(static_cast<std::size_t>(w.nO));
  auto addErrors = [&](double& e) {
    for (long p = 1; p <= set.nP; ++p) {
      ebp::forwardPass(set.inputRow(p), w, hidden.data(), y.data());
      for (int k = 1; k <= set.nO; ++k) {
        const double d = set.target(p, k) - y[static_cast<std::size_t>(k - 1)];
        e = e + d * d;
      }
    }
  };
  double e = 0;
  addErrors(e);
  text += common::fileNumber(e / static_cast<double>(set.nP)) + "\r\n";
  long r = perturbations;
  for (float level : levels) {
    for (int i = 1; i <= set.nI; ++i) {
      e = 0;
      if (fixed) r = 2;
      for (long round = 1; round <= r; ++round) {
        set = pristine;
        std::vector<double> saved;
        for (long p = 1; p <= set.nP; ++p) {
          double& x = set.inputRow(p)[i - 1];
          const double v = x;
          saved.push_back(v);
          if (fixed) {
            x = round == 1 ? v + level : v - level;
          } else {
            x = v + (static_cast<double>(random.next()) - 0.5) * 2 * static_cast<double>(level);
          }
          if (x < 0) x = 0;
          if (x > 1) x = 1;
        }
        addErrors(e);
        for (long p = 1; p <= set.nP; ++p)
          set.inputRow(p)[i - 1] = saved[static_cast<std::size_t>(p - 1)];
      }
      text += common::fileNumber(e / static_cast<double>(set.nP) / static_cast<double>(r));
      text += i < set.nI ? "," : "\r\n";
    }
  }
  return text;
}

struct Generated {
  std::string pat, wgt;
  ebp::PatternSet set;
  ebp::EbpWeights w;
};

Generated generate(std::mt19937& random, int nI, int nH, int nO, long nP) {
  Generated g;
  std::normal_distribution<double> weight(0, 1.5);
  std::uniform_real_distribution<double> unit(0, 1);
  std::ostringstream pat, wgt;
  pat.precision(17);
  wgt.precision(17);
  pat << nI << " " << nO << " " << nP << "\n";
  for (long p = 0; p < nP; ++p) {
    for (int i = 0; i < nI + nO; ++i) {
      const int kind = static_cast<int>(random() % 4);
      const double v = kind == 0 ? 0.0 : kind == 1 ? 1.0 : unit(random);  // clamping matters
      pat << v << " ";
    }
    pat << "\n";
  }
  wgt << nI << " " << nH << " " << nO << "\n";
  const int count = (nI + 1) * (nH + 1) + (nH + 1) * nO;
  for (int k = 0; k < count; ++k) wgt << weight(random) << " ";
  g.pat = pat.str();
  g.wgt = wgt.str();
  ebp::NumberStream ps(g.pat, "p");
  ebp::NumberStream ws(g.wgt, "w");
  const ebp::PatternHeader ph = ebp::readPatternHeader(ps);
  const ebp::WeightsHeader wh = ebp::readWeightsHeader(ws);
  g.set = ebp::readPatterns(ps, ph.nI, ph.nO, ph.nP);
  g.w = ebp::readWeights(ws, ph.nI, wh.nH, ph.nO);
  return g;
}

TEST(Sensitivity, ResultsEqualTheLiteralLoopsByteForByte) {
  std::mt19937 random(21);
  Scratch s;
  for (int trial = 0; trial < 12; ++trial) {
    const int nI = 1 + static_cast<int>(random() % 6);
    const int nH = static_cast<int>(random() % 6);
    const int nO = 1 + static_cast<int>(random() % 3);
    const long nP = trial % 3 == 0 ? 700 : 1 + static_cast<long>(random() % 60);
    Generated g = generate(random, nI, nH, nO, nP);
    const bool fixed = trial % 2 == 1;
    const std::vector<float> levels = {0.01f, 0.05f, 0.3f, 0.0f, 0.9f};
    const SensitivityFiles f = s.files(g.pat, g.wgt, "3\n0.01 0.05 0.3 0 0.9\n");
    UniformRandom fast, literal;
    EXPECT_EQ(runSensitivity(f, mode(fixed), fast).results,
              literalResults(f, g.set, g.w, 3, levels, fixed, literal))
        << "trial " << trial;
    // A second run continues the sequence (the same again in fixed mode).
    EXPECT_EQ(runSensitivity(f, mode(fixed), fast).results,
              literalResults(f, g.set, g.w, 3, levels, fixed, literal))
        << "trial " << trial << ", second run";
  }
}

TEST(Sensitivity, FixedModeUsesTwoRoundsAndClamps) {
  Scratch s;
  // One input, one output: y = s(w x); the stored input is 0.98.
  const std::string pat = "1 1 1\n0.98 0.5\n";
  const std::string wgt = "1 0 1\n0\n0\n0\n";  // nH = 0: the output ignores the input
  const SensitivityFiles f = s.files(pat, wgt, "10\n0.05\n");
  UniformRandom random;
  const SensitivityRun run = runSensitivity(f, mode(true), random);
  EXPECT_EQ(run.perturbations, 2);
  EXPECT_NE(infoPage(f, run).find("    perturbations per pattern: 2\r\n"), std::string::npos);
  EXPECT_NE(infoPage(f, run).find("    number of hidden nodes = \r\n"), std::string::npos);

  // With a hidden node that sees the input: the two rounds are x = 1 and x = 0.93.
  const std::string wgt2 = "1 1 1\n3 0\n-1 0\n2\n-1\n";
  const SensitivityFiles f2 = s.files(pat, wgt2, "10\n0.05\n");
  const SensitivityRun run2 = runSensitivity(f2, mode(true), random);
  const std::string& text = run2.results;
  ebp::NumberStream ws(wgt2, "w");
  ebp::readWeightsHeader(ws);
  const ebp::EbpWeights w = ebp::readWeights(ws, 1, 1, 1);
  auto error = [&](double x) {
    std::vector<double> hidden(2), y(1);
    const double in[] = {x, 1};
    ebp::forwardPass(in, w, hidden.data(), y.data());
    return (0.5 - y[0]) * (0.5 - y[0]);
  };
  double e = 0;
  e = e + error(1.0);
  e = e + error(0.98 - static_cast<double>(0.05f));
  EXPECT_EQ(text.substr(text.rfind("\"\r\n") + 3),
            common::fileNumber(error(0.98)) + "\r\n" + common::fileNumber(e / 1 / 2) + "\r\n");
  // The spread of two rounds: half their difference times the square root of 2.
  ASSERT_EQ(run2.roundSpread.size(), 1U);
  ASSERT_EQ(run2.roundSpread[0].size(), 1U);
  EXPECT_NEAR(run2.roundSpread[0][0],
              std::fabs(error(1.0) - error(0.98 - static_cast<double>(0.05f))) / std::sqrt(2.0),
              1e-15);
}

TEST(Sensitivity, LevelZeroGivesTheBaseErrorForEveryInput) {
  std::mt19937 random(5);
  Scratch s;
  Generated g = generate(random, 3, 4, 2, 50);
  for (bool fixed : {true, false}) {
    const SensitivityFiles f = s.files(g.pat, g.wgt, "4\n0\n");
    UniformRandom r;
    const SensitivityRun run = runSensitivity(f, mode(fixed), r);
    const SensitivityTable t = rereadResults(f, run.results, 1, 3);
    for (float d : t.change[0]) EXPECT_NEAR(d, 0.0f, 1e-6f);
    // Every round the same: no spread across them.
    ASSERT_EQ(run.roundSpread.size(), 1U);
    EXPECT_EQ(run.roundSpread[0], std::vector<double>(3, 0.0));
  }
}

TEST(Sensitivity, OneLevelOneLineAndOneInputNoComma) {
  Scratch s;
  const SensitivityFiles f =
      s.files("1 1 2\n0.2 0.3\n0.7 0.6\n", "1 1 1\n2 0\n-1 0\n1\n0\n", "1\n0.1\n");
  UniformRandom r;
  const SensitivityRun run = runSensitivity(f, mode(false), r);
  EXPECT_EQ(run.levels, 1);
  ASSERT_EQ(run.roundSpread.size(), 1U);
  EXPECT_TRUE(std::isnan(run.roundSpread[0][0]));  // one round: no spread
  const std::string& text = run.results;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  const std::size_t lastLine = text.rfind("\r\n", text.size() - 3) + 2;
  EXPECT_EQ(text.find(',', lastLine), std::string::npos);  // one value, no comma
}

// A noise file that cannot be read to its end stops the run before any
// level is worked on: minutes of work are not spent on a run that must fail.
TEST(Sensitivity, NoiseFileStopsBeforeTheWork) {
  Scratch s;
  const std::string pat = "2 1 2\n0.2 0.3 0.5\n0.7 0.6 0.1\n";
  const std::string wgt = "2 1 1\n1 0\n1 0\n1 0\n1\n0\n";
  std::string manyLevels = "1\n";
  for (int l = 0; l < 32768; ++l) manyLevels += "0.1 ";
  const struct {
    std::string noise;
    std::string message;
  } cases[] = {
      {"5\n", "noise.cfg: item 2: input past end of file"},
      {"5\n0.1\n0.2\nlots\n", "noise.cfg: item 4: type mismatch: expected a number, got \"lots\""},
      {manyLevels, "noise.cfg: item 32769: overflow: more than 32767 noise levels"},
      {"5\n0.1\n-1e400\n", "noise.cfg: item 3: overflow: \"-1e400\" lies beyond single precision"},
      {"5\n0.1\n1e39\n", "noise.cfg: item 3: overflow: \"1e39\" lies beyond single precision"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    int levelsStarted = 0;
    SensitivityHooks hooks = mode(false);
    hooks.progress = [&](int, int, int) { ++levelsStarted; };
    UniformRandom r;
    try {
      runSensitivity(s.files(pat, wgt, c.noise), hooks, r);
      ADD_FAILURE() << "no error";
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.what(), (s.dir / c.message).string());
    }
    EXPECT_EQ(levelsStarted, 0);
  }
}

TEST(Sensitivity, FreshRunsAreIdentical) {
  std::mt19937 random(8);
  Scratch s;
  Generated g = generate(random, 4, 3, 2, 40);
  const SensitivityFiles f = s.files(g.pat, g.wgt, "3\n0.1 0.2\n");
  UniformRandom first;
  const std::string one = runSensitivity(f, mode(false), first).results;
  UniformRandom again;
  EXPECT_EQ(runSensitivity(f, mode(false), again).results, one);
  // Continues the sequence: other draws.
  EXPECT_NE(runSensitivity(f, mode(false), again).results, one);
}

// Each zero denominator stops the run with the division-by-zero error where
// it is met, and each overflow with the overflow error.  A run stopped in
// the analysis keeps the old test.err whole; a base error of 0 is found in
// the reread of a complete file.
TEST(Sensitivity, ZeroDenominatorsAndOverflowsStopTheRun) {
  struct Case {
    const char* name;
    std::string pat, wgt, noise;
    int linesAfter;       // lines of test.err when the run stops (the old: 1)
    std::string message;  // after the file's path; empty: the reread stops
    common::Fault fault = common::Fault::kDivisionByZero;
  };
  const std::string pat = "1 1 2\n0.2 0.3\n0.7 0.6\n";
  const std::string wgt = "1 1 1\n2 0\n-1 0\n1\n0\n";
  const Case cases[] = {
      {"no patterns", "1 1 0\n", wgt, "1\n0.1\n", 1,
       "n.pat: division by zero: no patterns to average the error over"},
      {"no perturbations", pat, wgt, "0\n0.1\n", 1,
       "noise.cfg: item 1: division by zero: 0 perturbations per pattern to average the error "
       "over"},
      // Targets equal to what the network gives (nH = 0, all weights 0,
      // y = 0.5): E0 = 0, and the changes against it divide by zero.
      {"base error 0", "1 1 2\n0.2 0.5\n0.7 0.5\n", "1 0 1\n0\n0\n0\n", "1\n0.1\n", 5, ""},
      // Weights of +-1e308 on inputs of 10: the hidden sum is not finite.
      {"weighted sum beyond the doubles", "1 1 2\n0.2 0.3\n10 0.6\n", "1 1 1\n1e308 0\n0 0\n1\n0\n",
       "1\n0.1\n", 1,
       "n.pat: pattern 2: overflow: a weighted sum lies beyond double precision (the net input is "
       "inf)",
       common::Fault::kOverflow},
      {"weight beyond the doubles", pat, "1 1 1\n2 0\n-1 0\n1e400\n0\n", "1\n0.1\n", 1,
       "n.wgt: item 8: overflow: \"1e400\" lies beyond double precision", common::Fault::kOverflow},
      // A hidden sum just below the doubles' limit, which a perturbed input
      // (clamped to 0..1 as it is) carries past it.
      {"perturbed sum beyond the doubles", "2 1 1\n0.5 1.29e308 0.3\n",
       "2 1 1\n1e308 0\n1 0\n0 0\n1\n0\n", "10\n1\n", 1,
       "n.pat: pattern 1: overflow: a weighted sum lies beyond double precision (the net input is "
       "inf)",
       common::Fault::kOverflow},
      // Targets far outside 0..1: squared errors beyond what the results
      // file is read back in.
      {"error beyond the singles", "1 1 2\n0.2 1e20\n0.7 0.6\n", wgt, "1\n0.1\n", 1,
       "n.pat: base error: overflow: the mean square error (5e+39) lies beyond single precision, "
       "in which the results are read back",
       common::Fault::kOverflow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch s;
    const SensitivityFiles f = s.files(c.pat, c.wgt, c.noise);
    s.file("test.err", "old results\r\n");
    UniformRandom r;
    surface::Surface plot(kPlotWidthPx, kPlotHeightPx);
    try {
      runTremora(f, mode(false), r, plot);
      ADD_FAILURE() << "no error";
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.fault(), c.fault);
      if (!c.message.empty()) {
        EXPECT_EQ(e.what(), (s.dir / c.message).string());
      }
    }
    const std::string text = s.read("test.err");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), c.linesAfter);
    EXPECT_EQ(text.find("nan"), std::string::npos);
  }
}

}  // namespace
}  // namespace tremora
