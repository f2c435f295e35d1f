#include "ebp/yieldex/yieldex_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/errors.h"
#include "ebp/yieldex/confusion.h"
#include "ebp/yieldex/names.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/report.h"
#include "test_support/scratch_dir.h"

namespace yieldex {
namespace {

namespace fs = std::filesystem;

struct Scratch : support::ScratchDir {
  Scratch() : support::ScratchDir("yieldex_test") {}
};

TEST(YieldexNames, ProposalsCutAtTheFirstPeriodOfThePath) {
  EXPECT_EQ(withExtension("/home/u/run", ".pat"), "/home/u/run.pat");
  EXPECT_EQ(withExtension("/home/u/run.d/run", ".pat"), "/home/u/run.d/run");
  EXPECT_EQ(proposedName("/home/u/run.d/run", ".wgt"), "/home/u/run.wgt");
  EXPECT_EQ(proposedName("/data/iris.train.pat", ".wgt"), "/data/iris.wgt");
  const YieldexFiles f = completeFiles("/home/u/run", "", "");
  EXPECT_EQ(f.patterns, "/home/u/run.pat");
  EXPECT_EQ(f.weights, "/home/u/run.wgt");
  EXPECT_EQ(f.output, "/home/u/run.out");
  EXPECT_EQ(completeFiles("a.pat", "net", "result").weights, "net.wgt");
  EXPECT_EQ(completeFiles("a.pat", "net", "result").output, "result");
}

TEST(YieldexPlot, ColoursOfEighteenOutputs) {
  const int expected[18] = {9, 10, 11, 12, 13, 14, 1, 0, 1, 2, 3, 4, 5, 6, 14, 8, 9, 10};
  for (int k = 1; k <= 18; ++k) EXPECT_EQ(outputColourIndex(k), expected[k - 1]) << k;
  EXPECT_EQ(outputColour(4), common::rgb(255, 0, 0));
}

TEST(YieldexPlot, FrameDiagonalAndPoints) {
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  initPlot(plot);
  auto at = [&](double x, double y) {
    const surface::PixelPoint p = plot.toPixel(x, y);
    return plot.pixel(p.col, p.row);
  };
  EXPECT_EQ(at(0.3, 0.7), common::kWhite);
  EXPECT_EQ(at(0, 0.5), common::kBlack);  // the box
  EXPECT_EQ(at(1, 0.3), common::kBlack);
  EXPECT_NE(at(-0.06, 0.95), common::kWhite);  // outside the square: the surface's own colour
  int dark = 0, light = 0;
  for (double t = 0.2; t < 0.8; t += 0.01) {
    const surface::PixelPoint d = plot.toPixel(t, t);
    (plot.pixel(d.col, d.row) == common::kBlack ? dark : light) += 1;
  }
  EXPECT_GT(dark, 5);   // the diagonal is dotted: some pixels black,
  EXPECT_GT(light, 5);  // some not
  plotPoint(plot, 4, 0.25, 0.75);
  const surface::PixelPoint centre = plot.toPixel(0.25, 0.75);
  const int r = static_cast<int>(std::lround(plot.toPixelsX(0.005)));
  EXPECT_EQ(plot.pixel(centre.col + r, centre.row), common::rgb(255, 0, 0));
  EXPECT_EQ(plot.pixel(centre.col, centre.row), common::kWhite);  // an outline only
}

TEST(YieldexReport, ExactText) {
  Statistics s;
  s.overall = {0.0125, 0.5};
  s.outputs = {{0.01, 0.25}, {0.015, 1.0 / 3}};
  EXPECT_EQ(reportText("a.pat", "b.wgt", s),
            "Patterns\ta.pat\r\nWeights\tb.wgt\r\n\r\nOverall\r\nMSE\t0.0125\r\nR^2\t0.5\r\n\r\n"
            "Output 1\r\nMSE\t0.01\r\nR^2\t0.25\r\n\r\n"
            "Output 2\r\nMSE\t0.015\r\nR^2\t0.333333333333333\r\n\r\n");
}

// Columns of (output, target) pairs, one per output, through the sums and
// the statistics.  Expected values are worked out by hand, with means taken
// first; a column whose values are all equal stops, whatever rounding leaves
// in its one-pass variance.
TEST(YieldexStatistics, PerOutputPooledAndConstantColumns) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> y, t;  // [output][pattern]
    std::vector<Fit> outputs;
    Fit overall;
    const char* error;  // the end of the error's message, or null
  };
  const double up = std::nextafter(0.7, 1.0);
  const Case cases[] = {
      {"two outputs",
       {{0.2, 0.4, 0.6}, {0.9, 0.5, 0.1}},
       {{0.1, 0.5, 0.6}, {1, 0, 0}},
       {{0.02 / 3, 25.0 / 28}, {0.09, 0.75}},
       {0.29 / 6, 7203.0 / 10126},
       nullptr},
      {"targets all 0.1 (one-pass variance +1.7e-18)",
       {{0.1, 0.2, 0.3, 0.4, 0.5}},
       {{0.1, 0.1, 0.1, 0.1, 0.1}},
       {},
       {},
       "output 1: division by zero: the targets are all equal"},
      {"outputs all 0.7 (one-pass variance -1.1e-16)",
       {{0.7, 0.7, 0.7}, {0.1, 0.5, 0.9}},
       {{0.1, 0.5, 0.6}, {0.2, 0.4, 0.3}},
       {},
       {},
       "output 1: division by zero: the network's outputs are all equal"},
      {"second output constant",
       {{0.1, 0.5, 0.9}, {0.3, 0.3, 0.3}},
       {{0.2, 0.4, 0.3}, {0.1, 0.5, 0.6}},
       {},
       {},
       "output 2: division by zero: the network's outputs are all equal"},
      {"outputs one ulp apart: the variance rounds below 0",
       {{0.7, 0.7, 0.7, 0.7, up}},
       {{0.1, 0.2, 0.3, 0.4, 0.5}},
       {},
       {},
       "output 1: division by zero: the variances' product is not above 0 after rounding"},
      {"one pattern",
       {{0.5}},
       {{0.5}},
       {},
       {},
       "output 1: division by zero: fewer than two patterns"},
      {"targets whose squares pass the doubles",
       {{0.2, 0.4, 0.6}},
       {{1e200, -1e200, 3}},
       {},
       {},
       "output 1: overflow: a sum of the targets lies beyond double precision (a target far "
       "outside the outputs' range of 0 to 1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Accumulator> perOutput(c.y.size());
    Accumulator pooled;
    const long nP = static_cast<long>(c.y[0].size());
    for (long p = 0; p < nP; ++p) {
      for (std::size_t k = 0; k < c.y.size(); ++k) {
        perOutput[k].add(c.y[k][static_cast<std::size_t>(p)], c.t[k][static_cast<std::size_t>(p)]);
        pooled.add(c.y[k][static_cast<std::size_t>(p)], c.t[k][static_cast<std::size_t>(p)]);
      }
    }
    if (c.error != nullptr) {
      try {
        computeStatistics(perOutput, pooled, nP);
        ADD_FAILURE() << "no error";
      } catch (const common::ToolError& e) {
        EXPECT_EQ(e.fault(), std::string(c.error).find("overflow") != std::string::npos
                                 ? common::Fault::kOverflow
                                 : common::Fault::kDivisionByZero);
        EXPECT_EQ(std::string(e.what()), std::string("the statistics of ") + c.error);
      }
      continue;
    }
    const Statistics s = computeStatistics(perOutput, pooled, nP);
    ASSERT_EQ(s.outputs.size(), c.outputs.size());
    for (std::size_t k = 0; k < c.outputs.size(); ++k) {
      EXPECT_NEAR(s.outputs[k].mse, c.outputs[k].mse, 1e-15) << k;
      EXPECT_NEAR(s.outputs[k].r2, c.outputs[k].r2, 1e-12) << k;
    }
    EXPECT_NEAR(s.overall.mse, c.overall.mse, 1e-15);
    EXPECT_NEAR(s.overall.r2, c.overall.r2, 1e-12);
  }
}

// A network with one input, one hidden node and one output whose output rises
// with the input.
const char* kRisingNet = "1 1 1\n4 0\n-2 0\n3\n-1\n";

TEST(YieldexRun, OutputFileAndStatistics) {
  Scratch s;
  YieldexFiles f{s.file("p.pat", "1 1 3\n0.1 0.2\n0.5 0.6\n0.9 0.7\n"), s.file("p.wgt", kRisingNet),
                 (s.dir / "p.out").string()};
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  int legend = 0;
  YieldexHooks hooks;
  hooks.legend = [&](int nO) { legend = nO; };
  const YieldexResult r = runYieldex(f, plot, hooks);
  EXPECT_EQ(legend, 1);
  EXPECT_EQ(r.patterns, 3);
  const std::string out = s.read("p.out");
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
  EXPECT_EQ(out.substr(0, 1), " ");
  EXPECT_EQ(out.substr(out.size() - 3), " \r\n");
  EXPECT_EQ(r.report.rfind("Patterns\t" + f.patterns + "\r\nWeights\t" + f.weights + "\r\n", 0),
            0u);
  EXPECT_GT(r.statistics.overall.r2, 0.5);
}

TEST(YieldexRun, TwoPatternsLieOnALine) {
  Scratch s;
  YieldexFiles f{s.file("p.pat", "1 1 2\n0.2 0.9\n0.8 0.1\n"), s.file("p.wgt", kRisingNet),
                 (s.dir / "p.out").string()};
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  const YieldexResult r = runYieldex(f, plot, {});
  EXPECT_NEAR(r.statistics.outputs[0].r2, 1.0, 1e-12);
  EXPECT_GT(r.statistics.outputs[0].mse, 0.1);
}

TEST(YieldexRun, OnePatternCompletesTheOutputThenDividesByZero) {
  Scratch s;
  YieldexFiles f{s.file("p.pat", "1 2 1\n0.5 0.1 0.9\n"),
                 s.file("p.wgt", "1 1 2\n1 0\n0 0\n1 1\n0 0\n"), (s.dir / "p.out").string()};
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  try {
    runYieldex(f, plot, {});
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kDivisionByZero);
  }
  const std::string out = s.read("p.out");
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
  EXPECT_EQ(out.find("  "), out.find(' ', 1));  // " y1  y2 ": two values, blank between
}

TEST(YieldexRun, WeightsHeaderDecidesInputsAndOutputs) {
  // The pattern header says 3 inputs, the weights header 2: each record is
  // read as two inputs and a target, so the file's third input is the target,
  // and the records run one number ahead of the lines.
  Scratch s;
  // The network: h = s(4 x1), y = s(h), with s the logistic function.
  YieldexFiles f{s.file("p.pat", "3 1 2\n0 0 0.25 1\n0 0 0.75 0\n"),
                 s.file("p.wgt", "2 1 1\n4 0\n0 0\n0 0\n1\n0\n"), (s.dir / "p.out").string()};
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  const YieldexResult r = runYieldex(f, plot, {});
  auto sigma = [](double a) { return 1 / (std::exp(-a) + 1); };
  const double y1 = sigma(sigma(0));  // record 1: inputs 0, 0; target 0.25
  const double y2 = sigma(sigma(4));  // record 2: inputs 1, 0; target 0
  EXPECT_DOUBLE_EQ(r.statistics.outputs[0].mse, ((0.25 - y1) * (0.25 - y1) + y2 * y2) / 2);
}

// A run that fails says why, with the file and the place, and leaves the
// old output file alone.
TEST(YieldexRun, AFailedRunLeavesTheOldOutputAlone) {
  struct Row {
    const char* name;
    std::string pat, wgt;
    std::string message;  // after the folder's path
    common::Fault fault;
  } rows[] = {
      {"a record that is no number", "1 1 3\n0.1 0.2\n0.5 oops\n0.9 0.7\n", kRisingNet,
       "p.pat: item 7: type mismatch: expected a number, got \"oops\"",
       common::Fault::kTypeMismatch},
      {"an input beyond the doubles", "1 1 2\n0.1 0.2\n-1e400 0.7\n", kRisingNet,
       "p.pat: item 6: overflow: \"-1e400\" lies beyond double precision",
       common::Fault::kOverflow},
      {"a weight beyond the doubles", "1 1 2\n0.1 0.2\n0.5 0.7\n", "1 1 1\n4 0\n-2 0\n1e400\n-1\n",
       "p.wgt: item 8: overflow: \"1e400\" lies beyond double precision", common::Fault::kOverflow},
      // Weights of +-1e308 on inputs of 10: inf - inf is no number.
      {"a weighted sum beyond the doubles", "2 1 2\n0.5 0.5 1\n10 10 0\n",
       "2 1 1\n1e308 0\n-1e308 0\n0 0\n1\n0\n",
       "p.pat: pattern 2: overflow: a weighted sum lies beyond double precision (the net input is "
       "nan)",
       common::Fault::kOverflow},
      // The records are read before the weights: a bad record is the error,
      // wherever it lies, even when the weights fail before it.
      {"a bad record and a short weights file", "2 1 3\n0.1 0.2 1\n0.3 abc 0\n0.5 0.6 1\n",
       "2 1 1\n1 2 3 4\n", "p.pat: item 8: type mismatch: expected a number, got \"abc\"",
       common::Fault::kTypeMismatch},
      {"a short pattern file and a weight beyond the doubles", "1 1 3\n0.1 0.2\n0.5 0.6\n",
       "1 1 1\n4 0\n-2 0\n1e400\n-1\n", "p.pat: item 8: input past end of file",
       common::Fault::kPastEndOfFile},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Scratch s;
    s.file("p.out", "earlier results\r\n");
    YieldexFiles f{s.file("p.pat", r.pat), s.file("p.wgt", r.wgt), (s.dir / "p.out").string()};
    surface::Surface plot(kPlotSizePx, kPlotSizePx);
    try {
      runYieldex(f, plot, {});
      ADD_FAILURE() << "no error";
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.what(), (s.dir / r.message).string());
      EXPECT_EQ(e.fault(), r.fault);
    }
    EXPECT_EQ(s.read("p.out"), "earlier results\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(s.dir), fs::directory_iterator()), 3);
  }
}

// The plot is drawn as the patterns are computed: after an overflow at
// pattern 3 the points of patterns 1 and 2 are on it, and the old output
// file is untouched.  A bad record met later, even in a later block, is the
// error instead, and the plot goes back to its empty frame.
TEST(YieldexRun, AnOverflowLeavesThePointsBeforeItPlotted) {
  const std::string first = "0.1 0.2\n0.9 0.7\n";
  std::string many;  // two blocks' worth of patterns, the last one bad
  for (int p = 4; p < 40000; ++p) many += "0.5 0.5\n";
  many += "abc 0.5\n";
  const std::string badRecord = ": item 80002: type mismatch: expected a number, got \"abc\"";
  const struct {
    std::string records;
    long patterns;
    std::string message;  // after the pattern file's path
    bool pointsStay;
  } cases[] = {
      {first + "-1000 0.5\n", 3, ": pattern 3: overflow", true},
      {first + "-1000 0.5\n" + many, 40000, badRecord, false},
      {first + "0.5 0.5\n" + many, 40000, badRecord, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Scratch s;
    s.file("p.out", "earlier results\r\n");
    YieldexFiles f{s.file("p.pat", "1 1 " + std::to_string(c.patterns) + "\n" + c.records),
                   s.file("p.wgt", kRisingNet), (s.dir / "p.out").string()};
    surface::Surface plot(kPlotSizePx, kPlotSizePx);
    try {
      runYieldex(f, plot, {});
      ADD_FAILURE() << "no error";
    } catch (const common::ToolError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(f.patterns + c.message, 0), 0u) << e.what();
    }
    auto sigma = [](double a) { return 1 / (std::exp(-a) + 1); };
    const int r = static_cast<int>(std::lround(plot.toPixelsX(0.005)));
    for (const auto& [x, t] : {std::pair{0.1, 0.2}, std::pair{0.9, 0.7}}) {
      const surface::PixelPoint centre = plot.toPixel(sigma(3 * sigma(4 * x - 2) - 1), t);
      EXPECT_EQ(plot.pixel(centre.col + r, centre.row) == outputColour(1), c.pointsStay) << x;
    }
    if (!c.pointsStay) {
      surface::Surface frame(kPlotSizePx, kPlotSizePx);
      initPlot(frame);
      long differ = 0;
      for (int row = 0; row < kPlotSizePx; ++row) {
        for (int col = 0; col < kPlotSizePx; ++col)
          differ += plot.pixel(col, row) != frame.pixel(col, row);
      }
      EXPECT_EQ(differ, 0);
    }
    EXPECT_EQ(s.read("p.out"), "earlier results\r\n");
  }
}

// Rows are the network's classes, columns the targets'; one output splits
// at 0.5, several take the largest (the first of equals).
TEST(Confusion, CountsEachPatternInItsCell) {
  struct Row {
    int outputs;
    std::vector<std::vector<std::pair<double, double>>> patterns;  // (y, t) per output
    const char* expected;
  } rows[] = {
      {1, {{{0.7, 1}}, {{0.2, 0}}, {{0.5, 0}}, {{0.49, 0.5}}, {{0.9, 1}}}, "1 1\n1 2\n"},
      {3,
       {{{0.1, 0}, {0.8, 1}, {0.1, 0}},
        {{0.6, 1}, {0.3, 0}, {0.1, 0}},
        {{0.4, 0}, {0.4, 0}, {0.2, 1}},  // equal outputs: the first, class 1
        {{-0.5, 0}, {-0.7, 0}, {-0.1, 1}}},
       "1 0 1\n0 1 0\n0 0 1\n"},
  };
  for (const Row& row : rows) {
    ConfusionMatrix m(row.outputs);
    for (const auto& pattern : row.patterns) {
      for (std::size_t k = 0; k < pattern.size(); ++k) {
        m.add(static_cast<int>(k) + 1, pattern[k].first, pattern[k].second);
      }
    }
    EXPECT_EQ(m.text(), row.expected) << row.outputs;
  }
}

}  // namespace
}  // namespace yieldex
