#include "kappa/kappa_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

#include "common/errors.h"
#include "common/number_forms.h"
#include "kappa/kappa_details.h"
#include "kappa/kappa_dialogue.h"
#include "kappa/kappa_files.h"
#include "test_support/scratch_dir.h"

namespace kappa {
namespace {

KappaResult run(int k, std::vector<std::int64_t> m, std::string weights, double p = 0.95) {
  return kappaStatistics(k, m, weights, p, [](const std::string&) {
    ADD_FAILURE() << "no weights file expected";
    return std::vector<double>();
  });
}

TEST(Kappa, TwoByTwoExample) {
  const KappaResult r = run(2, {20, 5, 10, 15}, "");
  EXPECT_NEAR(r.kappa, 0.4, 1e-15);
  EXPECT_NEAR(r.se, 0.131453, 1e-6);
  EXPECT_NEAR(r.low, 0.142356, 1e-6);
  EXPECT_NEAR(r.high, 0.657644, 1e-6);
  EXPECT_NEAR(r.se0, 0.138564, 1e-6);
  EXPECT_NEAR(r.pValue, 0.003892, 1e-6);
  EXPECT_EQ(agreementWord(r.kappa), "poor");
}

TEST(Kappa, ThreeByThreeUnweightedLinearQuadratic) {
  const std::vector<std::int64_t> m = {30, 5, 2, 4, 25, 6, 1, 7, 20};
  const KappaResult plain = run(3, m, "");
  EXPECT_NEAR(plain.kappa, 0.622698, 1e-6);
  EXPECT_NEAR(plain.se, 0.065231, 1e-6);
  EXPECT_EQ(plain.pValue, 0);  // kappa / SE0 above 8.3: the distribution is exactly 1
  const KappaResult linear = run(3, m, "LINEAR");
  EXPECT_NEAR(linear.kappa, 0.676001, 1e-6);
  EXPECT_NEAR(linear.se, 0.060268, 1e-6);
  const KappaResult quadratic = run(3, m, "Quadratic");
  EXPECT_NEAR(quadratic.kappa, 0.731734, 1e-6);
  EXPECT_NEAR(quadratic.se, 0.061786, 1e-6);
}

// The standard error under the null hypothesis and the p-value of the
// weighted tests, against the formulas worked out independently.  Linear
// weights on the spec's 3 x 3 table put kappa / SE0 above 8.3, where the
// distribution function is exactly 1.
TEST(Kappa, WeightedNullErrorAndPValue) {
  const std::vector<std::int64_t> clear = {30, 5, 2, 4, 25, 6, 1, 7, 20};
  const std::vector<std::int64_t> weak = {10, 8, 6, 7, 9, 8, 5, 8, 11};
  struct Case {
    const std::vector<std::int64_t>* m;
    const char* weights;
    double se0, pValue, tolerance;
  } cases[] = {
      {&clear, "linear", 0.0781316562781992, 0, 0},
      {&clear, "quadratic", 0.09995965077231907, 2.473576898864849e-13, 1e-15},
      {&weak, "linear", 0.09275868946539839, 0.07088959278413665, 1e-9},
      {&weak, "quadratic", 0.11768778828946255, 0.07363827012030222, 1e-9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.weights);
    const KappaResult r = run(3, *c.m, c.weights);
    EXPECT_NEAR(r.se0, c.se0, 1e-12);
    EXPECT_NEAR(r.pValue, c.pValue, c.tolerance);
  }
}

TEST(Kappa, WeightsTextSpellings) {
  EXPECT_EQ(weightMode(""), WeightMode::kNone);
  EXPECT_EQ(weightMode("no"), WeightMode::kNone);
  EXPECT_EQ(weightMode("none"), WeightMode::kNone);
  EXPECT_EQ(weightMode("linear"), WeightMode::kLinear);
  EXPECT_EQ(weightMode("quadratic"), WeightMode::kQuadratic);
  EXPECT_EQ(weightMode("w.txt"), WeightMode::kFile);
  const std::vector<std::int64_t> m = {20, 5, 10, 15};
  EXPECT_EQ(run(2, m, "None").kappa, run(2, m, "").kappa);
  EXPECT_EQ(run(2, m, "NO").kappa, run(2, m, "").kappa);
  std::string typed = "MyWeights.TXT";
  std::string asked;
  kappaStatistics(2, m, typed, 0.95, [&](const std::string& name) {
    asked = name;
    return std::vector<double>{1, 0, 0, 1};
  });
  EXPECT_EQ(asked, "myweights.txt");  // lower-cased first
}

TEST(Kappa, IdentityWeightsFromAFileFollowTheWeightedFormulas) {
  const std::vector<std::int64_t> m = {20, 5, 10, 15};
  std::string w = "identity.txt";
  const KappaResult weighted = kappaStatistics(2, m, w, 0.95, [](const std::string&) {
    return std::vector<double>{1, 0, 0, 1};
  });
  EXPECT_NEAR(weighted.kappa, 0.4, 1e-15);  // the same kappa as unweighted
}

// Degenerate tables keep IEEE results; counts whose sum passes 64 bits give
// the kappa of the same table at a smaller scale.
TEST(Kappa, DegenerateAndHugeTables) {
  const KappaResult one = run(1, {7}, "linear");  // (k - 1)^e = 0: 0/0 weights
  EXPECT_TRUE(std::isnan(one.kappa));
  EXPECT_TRUE(std::isnan(one.pValue));
  EXPECT_EQ(agreementWord(one.kappa), "very bad");
  const KappaResult zero = run(2, {0, 0, 0, 0}, "");
  EXPECT_TRUE(std::isnan(zero.kappa));
  const std::int64_t scale = 360000000000000000;  // 20 x scale + 15 x scale > 2^63
  const KappaResult huge = run(2, {20 * scale, 5 * scale, 10 * scale, 15 * scale}, "");
  EXPECT_NEAR(huge.kappa, 0.4, 1e-15);
  EXPECT_NEAR(huge.po, 0.7, 1e-15);
}

// A negative kappa is tested two-sided like a positive one: the one-sided
// form 2 (1 - Phi(kappa / SE0)) gave 1.9989 for this table, no probability;
// the two-sided p is 2 - 1.9989.
TEST(Kappa, NegativeKappaHasATwoSidedPValue) {
  const KappaResult r = run(2, {2, 10, 12, 3}, "");
  EXPECT_LT(r.kappa, 0);
  EXPECT_NEAR(r.pValue, 2 - 1.9989, 1e-4);
  EXPECT_EQ(agreementWord(r.kappa), "very bad");
}

TEST(Kappa, AgreementWordBoundaries) {
  EXPECT_EQ(agreementWord(0.81), "excellent");
  EXPECT_EQ(agreementWord(0.8), "good");
  EXPECT_EQ(agreementWord(0.6), "moderate");
  EXPECT_EQ(agreementWord(0.4), "poor");
  EXPECT_EQ(agreementWord(0.2), "bad");
  EXPECT_EQ(agreementWord(0), "bad");
  EXPECT_EQ(agreementWord(-0.01), "very bad");
  EXPECT_EQ(agreementWord(std::nan("")), "very bad");
}

TEST(Kappa, ConfidenceLevels) {
  const std::vector<std::int64_t> m = {20, 5, 10, 15};
  const KappaResult r99 = run(2, m, "", 0.99);
  EXPECT_NEAR((r99.high - r99.kappa) / r99.se, 2.575829, 1e-6);
  const KappaResult edge = run(2, m, "", -1);  // q = 0: the quantile is 0
  EXPECT_EQ(edge.low, edge.kappa);
  EXPECT_EQ(edge.high, edge.kappa);
}

// The details of the spec's 2 x 2 table (20 5 / 10 15), worked by hand:
// rows .5 .5, columns .6 .4, po .7, pe .5; the marginals allow po .9, so
// kappa at most .8; PABAK 2 .7 - 1; prevalence |20 - 15| / 50, bias
// |5 - 10| / 50.  The textbook SE pairs the off-diagonal cells the other
// way round: 3.4% from the test's own here, equal when the marginals are.
TEST(KappaDetails, WorkedByHandAndBothStandardErrors) {
  const std::vector<std::int64_t> m = {20, 5, 10, 15};
  const KappaResult r = run(2, m, "");
  const KappaDetails d = kappaDetails(2, m, r, 0.95, false);
  EXPECT_NEAR(d.po, 0.7, 1e-15);
  EXPECT_NEAR(d.pe, 0.5, 1e-15);
  EXPECT_NEAR(d.kappaMax, 0.8, 1e-15);
  EXPECT_NEAR(d.pabak, 0.4, 1e-15);
  EXPECT_NEAR(d.prevalence, 0.1, 1e-15);
  EXPECT_NEAR(d.bias, 0.1, 1e-15);
  EXPECT_NEAR(d.z, 0.4 / r.se0, 1e-12);
  EXPECT_NEAR(std::fabs(d.textbookSe / r.se - 1), 0.034, 0.001);
  EXPECT_NEAR(d.textbookHigh - r.kappa, 1.959963984540054 * d.textbookSe, 1e-12);
  ASSERT_EQ(d.categoryKappa.size(), 2u);  // one category against the other: kappa itself
  EXPECT_NEAR(d.categoryKappa[0], r.kappa, 1e-12);
  EXPECT_NEAR(d.categoryKappa[1], r.kappa, 1e-12);

  const std::vector<std::int64_t> even = {10, 2, 3, 3, 10, 2, 2, 3, 10};  // rows = columns
  const KappaResult e = run(3, even, "");
  EXPECT_NEAR(kappaDetails(3, even, e, 0.95, false).textbookSe, e.se, 1e-15);
  // Category 1 against the rest: 10 5 / 5 25.
  const double po = 35.0 / 45, pe = (15.0 * 15 + 30.0 * 30) / (45.0 * 45);
  EXPECT_NEAR(kappaDetails(3, even, e, 0.95, false).categoryKappa[0], (po - pe) / (1 - pe), 1e-12);
}

// The details' p-value comes from the normal tail, in full, where the
// report's 1 - Phi(z) stops at 0 past z = 8.3.  The expected values are
// erfc(|z| / sqrt 2) of the exact z, worked to 50 digits.
TEST(KappaDetails, PValueFromTheTailInFull) {
  struct Case {
    int k;
    std::vector<std::int64_t> m;
    double pValue;
  } cases[] = {
      {2, {20, 5, 10, 15}, 0.0038924171227786294959},
      {2, {2, 10, 12, 3}, 0.0010650108464634399826},  // kappa below 0
      {3, {30, 5, 2, 4, 25, 6, 1, 7, 20}, 1.6402428745719680774e-18},
      {2, {500, 3, 2, 500}, 3.1064828346600664912e-216},
  };
  for (const Case& c : cases) {
    const KappaResult r = run(c.k, c.m, "");
    const KappaDetails d = kappaDetails(c.k, c.m, r, 0.95, false);
    EXPECT_NEAR(d.pValue / c.pValue, 1, 1e-10) << c.pValue;
    EXPECT_NE(detailsText(d, r, c.k).find("\nz\t" + common::consoleDouble(d.z) + "\np_value\t" +
                                          common::consoleDouble(d.pValue) + "\n"),
              std::string::npos);
  }
}

// The reader takes what a count can be, up to the edges, and refuses or
// warns of the rest.
TEST(KappaFiles, CountsAndWeightsAtTheirEdges) {
  const support::ScratchDir scratch("kappa_files");
  struct Case {
    const char* text;
    std::vector<std::int64_t> counts;  // when read
    const char* said;                  // the error, or the start of the warning; "" none
  } cases[] = {
      {"-0.4 1 9007199254740992 0", {0, 1, 9007199254740992, 0}, ""},
      {"1 0\n0 1", {1, 0, 0, 1}, ""},     // whole numbers within 0..1: counts
      {"2.5 0.5 1 1", {2, 0, 1, 1}, ""},  // a fraction above 1: counts, rounded
      {"0.5 0.25\n0.25 0",
       {0, 0, 0, 0},
       "kappatest: warning: F: every number lies within 0..1 and some are fractions"},
      {"1 2\n-1 4",
       {},
       "F: line 2: type mismatch: expected a count of cases (a whole number, 0 "
       "or more) in row 2, column 1, got -1"},
      {"1 nan 3 4",
       {},
       "F: line 1: type mismatch: expected a count of cases (a whole number, 0 "
       "or more) in row 1, column 2, got nan"},
      {"1 2 9007199254740994 4",
       {},
       "F: line 1: overflow: the count 9007199254740994 in row 2, column 1 is above "
       "9007199254740992 (2^53), the largest read exactly"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string name = scratch.file("m.txt", c.text);
    std::string said = c.said;
    if (said.find("F:") != std::string::npos) said.replace(said.find("F:"), 1, name);
    std::ostringstream err;
    try {
      EXPECT_EQ(readMatrix(name, 2, err), c.counts);
      EXPECT_EQ(err.str().substr(0, said.size()), said);
      EXPECT_EQ(err.str().empty(), said.empty());
    } catch (const common::ToolError& error) {
      EXPECT_TRUE(c.counts.empty());
      EXPECT_EQ(error.what(), said);
    }
  }
  const std::string weights = scratch.file("w.txt", "1 0.5\n0 1\n");
  std::ostringstream quiet, warned;
  EXPECT_EQ(readWeights(weights, 2, quiet), (std::vector<double>{1, 0.5, 0, 1}));
  EXPECT_EQ(quiet.str(), "");
  readWeights(scratch.file("w.txt", "100 50\n-0 100\n"), 2, warned);
  EXPECT_EQ(warned.str().rfind("kappatest: warning: " + weights +
                                   ": 3 of 4 weights lie outside 0..1 (the first in row 1, "
                                   "column 1: 100)",
                               0),
            0u)
      << warned.str();
}

TEST(KappaDialogue, MissingMatrixFileStopsWithoutAReport) {
  std::istringstream in("missing-file.txt\n2\n0\n0\n");
  std::ostringstream out, err;
  try {
    runKappatest(in, out, err, false);
    ADD_FAILURE() << "no error";
  } catch (const common::ToolError& error) {
    EXPECT_STREQ(error.what(),
                 "cannot open \"missing-file.txt\": file not found (No such file or directory)");
  }
  EXPECT_EQ(out.str().find("kappa  ="), std::string::npos);  // no report
}

// The level question: 0 or an empty answer both mean 0.95; any other answer
// is the level.
TEST(KappaDialogue, ZeroLevelMeansNinetyFivePercent) {
  const support::ScratchDir scratch("kappa_level");
  const std::string matrix = scratch.file("m.txt", "20 5\n10 15\n");
  struct Case {
    const char* answer;
    const char* heading;
    const char* low;
  } cases[] = {{"0", "confidence interval, p = 0.95:", " 0.1423"},
               {"", "confidence interval, p = 0.95:", " 0.1423"},
               {"0.99", "confidence interval, p = 0.99:", " 0.0613"}};
  for (const Case& c : cases) {
    std::istringstream in(matrix + "\n2\n" + c.answer + "\n0\n");
    std::ostringstream out, err;
    ASSERT_NO_THROW(runKappatest(in, out, err, false)) << err.str();
    const std::string text = out.str();
    const std::size_t at = text.find(std::string(c.heading) + "\n");
    ASSERT_NE(at, std::string::npos) << c.answer << "\n" << text;
    EXPECT_EQ(text.substr(at + std::strlen(c.heading) + 1, 7), c.low) << c.answer;
  }
  // --details: the report as it is, then the details, then the closing line.
  std::istringstream plainIn(matrix + "\n2\n0\n0\n"), detailedIn(matrix + "\n2\n0\n0\n");
  std::ostringstream plain, detailed, err;
  runKappatest(plainIn, plain, err, false);
  runKappatest(detailedIn, detailed, err, false, true);
  const std::string closing = "*** Press any key to exit ***\n";
  const std::string report = plain.str().substr(0, plain.str().size() - closing.size());
  EXPECT_EQ(detailed.str().rfind(report + "po\t 0.7\npe\t 0.5\nkappa_max\t", 0), 0u)
      << detailed.str();
  const std::size_t pabak = detailed.str().find("\npabak\t");
  ASSERT_NE(pabak, std::string::npos);
  EXPECT_NEAR(std::stod(detailed.str().substr(pabak + 7)), 0.4, 1e-15);
  EXPECT_EQ(detailed.str().substr(detailed.str().size() - closing.size()), closing);
}

}  // namespace
}  // namespace kappa
