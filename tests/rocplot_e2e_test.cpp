// rocplot run as a user runs it: on files, in a folder, without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "test_support/picture_compare.h"
#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kRocplot = ROCPLOT_EXE;
const fs::path kData = fs::path(TEST_DATA_DIR) / "roc";

std::uint32_t le32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// The point list of each input equals, byte for byte, the one an
// independent implementation of the sweep wrote (tests/roc/make_expected.py).
TEST(RocplotE2e, PointListsMatchTheExpectedFiles) {
  struct Case {
    fs::path input;
    const char* expected;
  } cases[] = {
      {kData / "mixed.txt", "mixed.prn"},
      {kData / "perfect.txt", "perfect.prn"},
      {kData / "negatives.txt", "negatives.prn"},
      {fs::path(EXAMPLES_DIR) / "roc" / "breast_cancer_scores.txt", "breast_cancer.prn"},
  };
  for (const Case& c : cases) {
    fs::path dir = freshDir("prn");
    fs::copy_file(c.input, dir / "scores.txt");
    RunResult run = runProgram(kRocplot, {"scores.txt", "roc"}, dir);
    EXPECT_EQ(run.status, 0) << c.expected << run.err;
    EXPECT_EQ(run.out, "");
    // mixed.txt holds other classes and odd lines on purpose: warnings only.
    std::istringstream err(run.err);
    for (std::string line; std::getline(err, line);) {
      EXPECT_EQ(line.rfind("rocplot: warning: scores.txt: ", 0), 0u) << line;
    }
    EXPECT_EQ(readFile(dir / "roc.prn"), readFile(kData / c.expected)) << c.expected;
  }
}

TEST(RocplotE2e, SecondArgumentDecidesThePointList) {
  struct Case {
    std::vector<std::string> args;
    bool written;
  } cases[] = {
      {{"scores.txt"}, false},
      {{"scores.txt", " ROC "}, true},
      {{"scores.txt", "Roc"}, true},
      {{"scores.txt", "roc.txt"}, false},
      {{"scores.txt", "rocplot"}, false},
      {{"  scores.txt  ", "roc"}, true},  // the file name is trimmed too
  };
  for (const Case& c : cases) {
    fs::path dir = freshDir("arg2");
    fs::copy_file(kData / "perfect.txt", dir / "scores.txt");
    RunResult run = runProgram(kRocplot, c.args, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(fs::exists(dir / "roc.prn"), c.written) << c.args.back();
  }
}

TEST(RocplotE2e, PictureIsSavedAsBitmapOrPng) {
  fs::path dir = freshDir("picture");
  fs::copy_file(kData / "mixed.txt", dir / "scores.txt");
  RunResult run = runProgram(kRocplot, {"scores.txt", "--picture", "roc.bmp"}, dir);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string bmp = readFile(dir / "roc.bmp");
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(le32(bmp, 18), 600u);
  EXPECT_EQ(le32(bmp, 22), 600u);
  EXPECT_FALSE(fs::exists(dir / "roc.prn"));
  run = runProgram(kRocplot, {"scores.txt", "roc", "--picture", "roc.png"}, dir);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(dir / "roc.png").substr(1, 3), "PNG");
  EXPECT_TRUE(fs::exists(dir / "roc.prn"));
}

// What rocplot prints after a command-line error.
const std::string kUsage =
    "usage: rocplot FILE [roc] [--picture FILE.bmp|.png|.svg|.pdf] [--scale N] [--table FILE]\n "
    "              [--report] [--compare OTHER] [--level P] [--header]\n"
    "       rocplot FILE FILE... [--figure FILE.png|.svg|.pdf] [--names LIST] [--report]\n";

TEST(RocplotE2e, FailuresSayWhatAndWriteNothing) {
  fs::path dir = freshDir("failures");
  writeFile(dir / "bad.txt", "0.5,1\n0.25,zero\n");
  fs::create_directory(dir / "folder");
  writeFile(dir / "roc.prn", "earlier result");
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, kUsage},
      {{"missing.txt", "roc"},
       "rocplot: cannot open \"missing.txt\": file not found (No such file or directory)\n"},
      {{"  ", "roc"}, "rocplot: cannot open \"\": file not found (No such file or directory)\n"},
      {{"folder", "roc"},
       "rocplot: cannot open \"folder\": bad file name or path (Is a directory)\n"},
      {{"bad.txt", "roc"},
       "rocplot: bad.txt: line 2: type mismatch: expected a number, got \"zero\"\n"},
      {{"bad.txt", "--picture"}, kUsage},
      {{"bad.txt", "--scale", "9"}, kUsage},
      {{"bad.txt", "--level", "1"}, kUsage},
      {{"bad.txt", "--level", "0.9999999999999999"},  // no interval: z of 1 - 1e-16 is 1e308 +
       kUsage},
      {{"bad.txt", "roc", "--reprot"}, "rocplot: unknown option --reprot\n" + kUsage},
      {{"bad.txt", "--pictuer", "p.png"}, "rocplot: unknown option --pictuer\n" + kUsage},
      {{"bad.txt", "--bootstrap", "0"},
       "rocplot: --bootstrap takes a whole number from 1 to 1000000, not 0\n" + kUsage},
      {{"bad.txt", "--seed", "-1"},
       "rocplot: --seed takes a whole number from 0 to 18446744073709551615, not -1\n" + kUsage},
      {{"bad.txt", "--se-at", "0.9,,0.95"},
       "rocplot: --se-at takes specificities from 0 to 1 separated by commas, not 0.9,,0.95\n" +
           kUsage},
      {{"bad.txt", "--sp-at", "95"},
       "rocplot: --sp-at takes sensitivities from 0 to 1 separated by commas, not 95\n" + kUsage},
      {{"bad.txt", "--partial-fpr", "0.5:0.2"},
       "rocplot: --partial-fpr takes A:B with 0 <= A < B <= 1, not 0.5:0.2\n" + kUsage},
      {{"bad.txt", "--compare", "bad.txt", "--method", "wilcoxon"},
       "rocplot: --method takes delong or bootstrap, not wilcoxon\n" + kUsage},
      {{"bad.txt", "--unpaired"},
       "rocplot: --unpaired and --method compare two classifiers: give --compare OTHER\n" + kUsage},
      {{"bad.txt", "roc", "extra"},
       "rocplot: roc (the point list) takes one input file, not 3\n" + kUsage},
      {{"bad.txt", "b.txt", "c.txt"},
       "rocplot: several input files need --figure FILE or --report\n" + kUsage},
      {{"bad.txt", "b.txt", "--figure", "f.svg", "--compare", "bad.txt"},
       "rocplot: --compare takes one input file, not 2\n" + kUsage},
      {{"bad.txt", "b.txt", "c.txt", "--report", "--table", "t.tsv"},
       "rocplot: --table takes one input file, not 3\n" + kUsage},
      {{"bad.txt", "b.txt", "c.txt", "--report", "--multiclass"},
       "rocplot: --multiclass takes one input file, not 3\n" + kUsage},
      {{"bad.txt", "b.txt", "--names", "A,B", "--picture", "p.png"},
       "rocplot: --picture takes one input file, not 2\n" + kUsage},
      {{"bad.txt", "b.txt", "c.txt", "--report", "--names", "A,B"},
       "rocplot: --names gives one name per input file: 2 for 3 files\n" + kUsage},
      {{"bad.txt", "--figure", "f.svg", "--names", "A,,B"},
       "rocplot: --names takes names separated by commas, none empty, not A,,B\n" + kUsage},
      {{"bad.txt", "--style", "fancy"},
       "rocplot: --style takes exact or paper, not fancy\n" + kUsage},
      {{"bad.txt", "--figure", "f.svg", "--style", "exact"},
       "rocplot: --figure draws the paper style: it does not go with --style exact\n" + kUsage},
      {{"bad.txt", "--style", "paper"},
       "rocplot: --style paper draws into a file: give --picture FILE or --figure FILE\n" + kUsage},
      {{"bad.txt", "--figure", "f.svg", "--size", "0x12"},
       "rocplot: --size takes WxH in centimetres, each above 0 and at most 100 (12x12), not "
       "0x12\n" +
           kUsage},
      {{"bad.txt", "--figure", "f.svg", "--size", "12x"},
       "rocplot: --size takes WxH in centimetres, each above 0 and at most 100 (12x12), not 12x\n" +
           kUsage},
      {{"bad.txt", "--ci-band"},
       "rocplot: --ci-band, --title and --size dress the paper figure: give --figure FILE or "
       "--style paper\n" +
           kUsage},
      {{"bad.txt", "bad.txt", "bad.txt", "--report"},
       "rocplot: bad.txt: line 2: type mismatch: expected a number, got \"zero\"\n"},
  };
  for (const Case& c : cases) {
    RunResult run = runProgram(kRocplot, c.args, dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readFile(dir / "roc.prn"), "earlier result");
  }
  RunResult run = runProgram(kRocplot, {"missing.txt", "--picture", "p.bmp"}, dir);
  EXPECT_FALSE(fs::exists(dir / "p.bmp"));
}

std::map<std::string, std::string> reportOf(const std::string& out) {
  std::map<std::string, std::string> values;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) values[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return values;
}

// --report on a small file worked by hand: 3 positives, 3 negatives, one
// pair tied; --compare with itself differs by nothing; classes that
// disagree are an error naming the record.
TEST(RocplotE2e, ReportAndComparison) {
  fs::path dir = freshDir("report");
  writeFile(dir / "a.txt", "0.9,1\n0.8,1\n0.4,1\n0.6,0\n0.4,0\n0.1,0\nnan,1\n0.5,3\n");
  writeFile(dir / "b.txt", "0.2,1\n0.8,1\n0.4,1\n0.6,0\n0.4,0\n0.1,0\n0.5,0\n0.5,3\n");
  RunResult r = runProgram(kRocplot, {"a.txt", "--report", "--level", "0.9"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto report = reportOf(r.out);
  EXPECT_EQ(report["records"], "8");
  EXPECT_EQ(report["positives"], "3");
  EXPECT_EQ(report["negatives"], "3");
  EXPECT_EQ(report["other_classes"], "1");
  EXPECT_EQ(report["scores_not_numbers"], "1");
  // Pairs: 0.9 and 0.8 beat all three negatives, 0.4 beats 0.1 and ties
  // 0.4: (3 + 3 + 1.5) / 9.
  EXPECT_NEAR(std::stod(report["exact_auc"]), 7.5 / 9, 1e-14);
  EXPECT_EQ(report["level"], "0.9");
  EXPECT_LT(std::stod(report["exact_auc_low"]), 7.5 / 9);
  // Youden's best cut lies between the negative 0.6 and the positive 0.8:
  // "score > 0.6" classes 2 of 3 positives and no negative as positive.
  EXPECT_EQ(report["youden_threshold"], "0.6");
  EXPECT_EQ(report["youden_midpoint"], "0.7");
  EXPECT_EQ(report["youden_tpr"], "0.6666666666666666");
  EXPECT_EQ(report["youden_fpr"], "0");
  // A rate the sweep counts in single precision prints as the single reads.
  writeFile(dir / "c.txt", "0.9,1\n0.1,0\n0.1,0\n0.1,0\n0.1,0\n0.9,0\n");
  r = runProgram(kRocplot, {"c.txt", "--report"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(reportOf(r.out)["best_fpr"], "0.2");
  for (const char* name : {"auc_100_thresholds", "best_threshold", "best_mcc", "best_ties"}) {
    EXPECT_EQ(report.count(name), 1u) << name;
  }
  // A threshold of the sweep prints as the hundredth it stands for, high
  // ones too (their sums carry noise in the fifteenth digit).
  writeFile(dir / "d.txt", "0.95,1\n0.9,1\n0.85,0\n0.1,0\n0.2,0\n");
  r = runProgram(kRocplot, {"d.txt", "--report"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string threshold = reportOf(r.out)["best_threshold"];
  EXPECT_EQ(threshold.size(), 4u) << threshold;
  EXPECT_EQ(threshold.substr(0, 3), "0.8") << threshold;

  r = runProgram(kRocplot, {"a.txt", "--compare", "a.txt"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  report = reportOf(r.out);
  EXPECT_EQ(report["difference"], "0");
  EXPECT_EQ(report["first_auc"], report["second_auc"]);

  r = runProgram(kRocplot, {"a.txt", "--report", "--compare", "a.txt"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("\nlevel\t"), r.out.rfind("\nlevel\t")) << r.out;  // once

  r = runProgram(kRocplot, {"a.txt", "--compare", "b.txt"}, dir);
  EXPECT_EQ(r.status, 1);
  const std::string failure =
      "rocplot: b.txt: record 7: type mismatch: class 0 where a.txt has class 1\n";
  ASSERT_GE(r.err.size(), failure.size()) << r.err;
  EXPECT_EQ(r.err.substr(r.err.size() - failure.size()), failure) << r.err;
}

// The bootstrap lines come only when asked for, after the report's, and a
// seed gives the same lines at every run; the interval holds the estimate.
TEST(RocplotE2e, BootstrapLinesFollowTheOptions) {
  fs::path dir = freshDir("bootstrap");
  std::string text;
  for (int i = 0; i < 60; ++i)
    text +=
        std::to_string((i * 37 % 61) / 61.0 + (i % 2) * 0.2) + "," + std::to_string(i % 2) + "\n";
  writeFile(dir / "a.txt", text);
  const std::vector<std::string> args = {"a.txt", "--report", "--bootstrap", "300",     "--seed",
                                         "7",     "--se-at",  "0.9,0.5",     "--sp-at", "0.8"};
  const RunResult r = runProgram(kRocplot, args, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(runProgram(kRocplot, args, dir).out, r.out);
  const RunResult plain = runProgram(kRocplot, {"a.txt", "--report"}, dir);
  ASSERT_EQ(r.out.substr(0, plain.out.size()), plain.out);
  const std::string head = "bootstrap_resamples\t300\nbootstrap_seed\t7\n";
  EXPECT_EQ(r.out.substr(plain.out.size(), head.size()), head);
  auto report = reportOf(r.out);
  for (const std::string name : {"exact_auc", "se_at_sp_0.9", "se_at_sp_0.5", "sp_at_se_0.8"}) {
    EXPECT_LE(std::stod(report[name + "_boot_low"]), std::stod(report[name])) << name;
    EXPECT_GE(std::stod(report[name + "_boot_high"]), std::stod(report[name])) << name;
  }
  // --se-at alone draws 2000 resamples and names the level itself.
  const RunResult alone = runProgram(kRocplot, {"a.txt", "--se-at", "0.9"}, dir);
  const std::string aloneHead = "level\t0.95\nbootstrap_resamples\t2000\nbootstrap_seed\t1\n";
  EXPECT_EQ(alone.out.substr(0, aloneHead.size()), aloneHead);
}

// Near-saturated scores (1 - 1e-10 and the like: one value in single
// precision) keep their order in --report and --compare: the exact AUC equals
// the pair count taken in whole numbers, and a clearly better classifier is
// told apart from a tie.
TEST(RocplotE2e, NearSaturatedScoresKeepTheirOrder) {
  fs::path dir = freshDir("saturated");
  std::mt19937 random(7);
  std::string first, second;
  std::vector<double> positives, negatives;
  for (int i = 0; i < 300; ++i) {
    const bool positive = random() % 3 == 0;
    // Positives sit a little closer to 1 on the whole, with overlap and ties.
    const double score = 1 - static_cast<double>(random() % 40 + (positive ? 0 : 15)) * 1e-10;
    (positive ? positives : negatives).push_back(score);
    char line[64];
    std::snprintf(line, sizeof line, "%.17g,%d\n", score, positive ? 1 : 0);
    first += line;
    std::snprintf(line, sizeof line, "%.17g,%d\n", 1 - static_cast<double>(random() % 40) * 1e-10,
                  positive ? 1 : 0);
    second += line;
  }
  writeFile(dir / "a.txt", first);
  writeFile(dir / "b.txt", second);
  std::int64_t twice = 0;
  for (double x : positives) {
    for (double y : negatives) twice += x > y ? 2 : x == y ? 1 : 0;
  }
  const double exact =
      static_cast<double>(twice) / static_cast<double>(2 * positives.size() * negatives.size());
  RunResult r = runProgram(kRocplot, {"a.txt", "--report", "--compare", "b.txt"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto report = reportOf(r.out);
  EXPECT_NEAR(std::stod(report["exact_auc"]), exact, 1e-14);
  EXPECT_NEAR(std::stod(report["first_auc"]), exact, 1e-14);
  EXPECT_GT(exact, 0.7);
  EXPECT_LT(std::stod(report["p"]), 1e-6);
  EXPECT_LE(std::stod(report["exact_auc_high"]), 1.0);
}

// Several classifiers' files: a block per file, its lines those of one
// file's --report, then DeLong's paired test of every two files as
// --compare gives it when they hold the same cases, and a note where they
// part when they do not.  Two files alone keep the old meaning of a second
// argument unless --names (or --figure) says they are files.
TEST(RocplotE2e, SeveralFilesReportEachFileAndEveryPair) {
  fs::path dir = freshDir("several");
  writeFile(dir / "a.txt", "0.9,1\n0.8,1\n0.4,1\n0.6,0\n0.4,0\n0.1,0\n0.7,1\n0.3,0\n");
  writeFile(dir / "b.txt", "0.7,1\n0.6,1\n0.5,1\n0.6,0\n0.2,0\n0.3,0\n0.2,1\n0.1,0\n");
  fs::create_directory(dir / "sub");
  // Record 2 is a negative here; a class 3 draws a warning naming the file.
  writeFile(dir / "sub" / "c.txt", "0.9,1\n0.8,0\n0.4,1\n0.6,0\n0.4,0\n0.1,0\n0.7,3\n0.3,0\n");
  auto out = [&](const std::vector<std::string>& args) {
    const RunResult r = runProgram(kRocplot, args, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
  };
  const std::string compared = out({"a.txt", "--compare", "b.txt"});
  ASSERT_EQ(compared.rfind("level\t0.95\n", 0), 0u) << compared;
  const std::string expected =
      "file\tMLP\n" + out({"a.txt", "--report"}) + "file\tNaive Bayes\n" +
      out({"b.txt", "--report"}) + "file\tLogistic\n" + out({"sub/c.txt", "--report"}) +
      "pair\tMLP\tNaive Bayes\n" + compared.substr(compared.find('\n') + 1) +
      "pair\tMLP\tLogistic\n"
      "skipped\tsub/c.txt: record 2: type mismatch: class 0 where a.txt has class 1\n"
      "pair\tNaive Bayes\tLogistic\n"
      "skipped\tsub/c.txt: record 2: type mismatch: class 0 where b.txt has class 1\n";
  RunResult r = runProgram(
      kRocplot, {"a.txt", "b.txt", "sub/c.txt", "--report", "--names", "MLP,Naive Bayes,Logistic"},
      dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err.rfind("rocplot: warning: sub/c.txt: 1 of 8 records", 0), 0u) << r.err;
  // The names default to the file names without their folder.
  r = runProgram(kRocplot, {"a.txt", "sub/c.txt", "b.txt", "--report"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"file\ta.txt\n", "file\tc.txt\n", "pair\ta.txt\tb.txt\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  // Two files: the second is the old second argument unless named a file.
  EXPECT_EQ(out({"a.txt", "b.txt", "--report"}), out({"a.txt", "--report"}));
  EXPECT_EQ(out({"a.txt", "b.txt", "--report", "--names", "MLP,Naive Bayes"}),
            expected.substr(0, expected.find("file\tLogistic")) + "pair\tMLP\tNaive Bayes\n" +
                compared.substr(compared.find('\n') + 1));
}

// The points="x,y x,y ..." of every SVG <polyline> or <polygon> whose
// attributes hold "marker", in the order drawn.
std::vector<std::vector<std::pair<double, double>>> svgShapes(const std::string& svg,
                                                              const std::string& marker) {
  std::vector<std::vector<std::pair<double, double>>> shapes;
  const std::regex element(R"re(<poly(?:line|gon) points="([^"]*)"([^>]*)/>)re");
  for (auto m = std::sregex_iterator(svg.begin(), svg.end(), element); m != std::sregex_iterator();
       ++m) {
    if ((*m)[2].str().find(marker) == std::string::npos) continue;
    std::vector<std::pair<double, double>> points;
    std::istringstream in((*m)[1].str());
    double x = 0, y = 0;
    char comma = 0;
    while (in >> x >> comma >> y) points.emplace_back(x, y);
    shapes.push_back(points);
  }
  return shapes;
}

double reportValue(const std::string& report, const std::string& name) {
  const std::size_t at = report.find(name + "\t");
  return at == std::string::npos ? NAN : std::stod(report.substr(at + name.size() + 1));
}

// The paper figure in every format: its curves are the exact empirical
// curves (read back through the chance diagonal, which runs from (0, 0) to
// (1, 1)), its legend holds --report's AUC and interval, its band and
// curves lie inside the plot, its axes are labelled with real text.
TEST(RocplotE2e, PaperFigureDrawsTheExactCurvesAndTheReportedAuc) {
  const fs::path dir = freshDir("paper_figure");
  std::mt19937 random(7);
  std::vector<std::vector<std::pair<double, int>>> files(2);
  for (std::size_t f = 0; f < files.size(); ++f) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
      const int cls = static_cast<int>(random() % 2);
      const double score = static_cast<double>(random() % 12 + 4 * cls) / 16;  // many ties
      files[f].emplace_back(score, cls);
      text += std::to_string(score) + "," + std::to_string(cls) + "\n";
    }
    writeFile(dir / ("s" + std::to_string(f) + ".txt"), text);
  }
  RunResult r = runProgram(kRocplot,
                           {"s0.txt", "s1.txt", "--figure", "f.svg", "--names", "A,B", "--ci-band",
                            "--bootstrap", "200", "--report", "--title", "Two classifiers"},
                           dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = readFile(dir / "f.svg");
  const auto diagonal = svgShapes(svg, "stroke=\"#969696\"");
  ASSERT_EQ(diagonal.size(), 1u);
  const auto [x0, y0] = diagonal[0].front();
  const auto [x1, y1] = diagonal[0].back();
  const auto rates = [&](std::pair<double, double> p) {
    return std::pair((p.first - x0) / (x1 - x0), (p.second - y0) / (y1 - y0));
  };
  // The two curves, then the legend's two sample lines.
  const auto curves = svgShapes(svg, "stroke-width=\"1.5\"");
  ASSERT_EQ(curves.size(), 4u);
  for (std::size_t f = 0; f < files.size(); ++f) {
    // From the definition: at each distinct score, the shares of each class
    // scored at or above it, from the highest score down.
    std::vector<double> thresholds;
    for (const auto& [score, cls] : files[f]) thresholds.push_back(score);
    std::sort(thresholds.rbegin(), thresholds.rend());
    thresholds.erase(std::unique(thresholds.begin(), thresholds.end()), thresholds.end());
    std::vector<std::pair<double, double>> expected = {{0, 0}};
    double positives = 0, negatives = 0;
    for (const auto& [score, cls] : files[f]) (cls == 1 ? positives : negatives) += 1;
    for (const double t : thresholds) {
      double tp = 0, fp = 0;
      for (const auto& [score, cls] : files[f]) {
        if (score >= t) (cls == 1 ? tp : fp) += 1;
      }
      expected.emplace_back(fp / negatives, tp / positives);
    }
    ASSERT_EQ(curves[f].size(), expected.size()) << f;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const auto [fpr, tpr] = rates(curves[f][i]);
      EXPECT_NEAR(fpr, expected[i].first, 1e-4) << f << " vertex " << i;
      EXPECT_NEAR(tpr, expected[i].second, 1e-4) << f << " vertex " << i;
    }
  }
  const auto bands = svgShapes(svg, "fill-opacity=\"0.2\"");
  ASSERT_EQ(bands.size(), 2u);
  for (const auto& shape : bands) {
    EXPECT_EQ(shape.size(), 200u);
    for (const auto& p : shape) {
      const auto [fpr, tpr] = rates(p);
      EXPECT_TRUE(fpr > -1e-4 && fpr < 1 + 1e-4 && tpr > -1e-4 && tpr < 1 + 1e-4);
    }
  }
  // The legend's numbers are the report's, to three decimals.
  const std::string firstReport = r.out.substr(0, r.out.find("file\tB"));
  char legend[128];
  std::snprintf(legend, sizeof legend, ">A: AUC %.3f (95%% CI %.3f&#8211;%.3f)</text>",
                reportValue(firstReport, "exact_auc"), reportValue(firstReport, "exact_auc_low"),
                reportValue(firstReport, "exact_auc_high"));
  EXPECT_NE(svg.find(legend), std::string::npos) << legend;
  for (const char* text :
       {">False positive rate (1 &#8722; specificity)</text>",
        ">True positive rate (sensitivity)</text>", ">0.6</text>", ">Two classifiers</text>"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
  // One file, as a PDF and as a bitmap at twice the size.
  r = runProgram(kRocplot, {"s0.txt", "--style", "paper", "--picture", "f.pdf", "--size", "8x6"},
                 dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string pdf = support::pdfText((dir / "f.pdf").string());
  for (const char* text : {"True positive rate (sensitivity)", "AUC 0.", "0.8"}) {
    EXPECT_NE(pdf.find(text), std::string::npos) << text << " in " << pdf;
  }
  r = runProgram(kRocplot, {"s0.txt", "--style", "paper", "--picture", "f.png", "--scale", "2"},
                 dir);
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage png(QString::fromStdString((dir / "f.png").string()));
  EXPECT_EQ(png.width(), 907);  // 12 cm at 192 dots per inch
  EXPECT_EQ(png.height(), 907);
}

// The same near-saturated files as R's pROC reads them: the AUC, its DeLong
// SE and clipped interval, and the paired test's z and p agree to many digits.
TEST(RocplotE2e, NearSaturatedScoresAgreeWithPRoc) {
  const fs::path rscript = "/usr/bin/Rscript";
  if (!fs::exists(rscript)) GTEST_SKIP() << "no Rscript (./run setup installs R and pROC)";
  fs::path dir = freshDir("proc");
  std::mt19937 random(8);
  std::string first, second;
  for (int i = 0; i < 200; ++i) {
    const bool positive = random() % 2 == 0;
    char line[64];
    // Nearly separated, so that the plain interval passes 1.
    std::snprintf(line, sizeof line, "%.17g,%d\n",
                  1 - static_cast<double>(random() % 30 + (positive ? 0 : 29)) * 1e-10,
                  positive ? 1 : 0);
    first += line;
    std::snprintf(line, sizeof line, "%.17g,%d\n",
                  1 - static_cast<double>(random() % 30 + (positive ? 0 : 12)) * 1e-10,
                  positive ? 1 : 0);
    second += line;
  }
  writeFile(dir / "a.txt", first);
  writeFile(dir / "b.txt", second);
  const RunResult reference =
      runProgram(rscript, {(kData / "proc_reference.R").string(), "a.txt", "b.txt"}, dir, "", 120);
  if (reference.status != 0 && reference.err.find("pROC") != std::string::npos) {
    GTEST_SKIP() << "R without pROC (./run setup installs r-cran-proc): " << reference.err;
  }
  ASSERT_EQ(reference.status, 0) << reference.err;
  const RunResult r = runProgram(kRocplot, {"a.txt", "--report", "--compare", "b.txt"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto ours = reportOf(r.out), theirs = reportOf(reference.out);
  ASSERT_EQ(theirs.size(), 7u) << reference.out;
  for (const auto& [name, value] : theirs) {
    const double expected = std::stod(value), got = std::stod(ours[name]);
    EXPECT_NEAR(got, expected, 1e-8 * std::fabs(expected) + 1e-15) << name;
  }
  EXPECT_EQ(ours["exact_auc_high"], "1");
}

// The partial AUC over bands of false-positive rates, raw and McClish-
// corrected, as pROC's auc(partial.auc = ..., partial.auc.correct = TRUE)
// gives it: files with many ties, bands that cut through the curve's
// segments, the whole range, and a curve below the diagonal, whose
// corrected area is undefined (pROC's NA, rocplot's nan).
TEST(RocplotE2e, PartialAucAgreesWithPRoc) {
  const fs::path rscript = "/usr/bin/Rscript";
  if (!fs::exists(rscript)) GTEST_SKIP() << "no Rscript (./run setup installs R and pROC)";
  fs::path dir = freshDir("partial");
  std::mt19937 random(9);
  int undefined = 0;  // corrected areas pROC gives as NA
  for (int file = 0; file < 3; ++file) {
    std::string text;
    for (int i = 0; i < 80; ++i) {
      const bool positive = random() % 2 == 0;
      // The third file's positives score lower: its curve lies below the diagonal.
      const int shift = positive == (file != 2) ? 6 : 0;
      char line[32];
      std::snprintf(line, sizeof line, "%.2f,%d\n", (random() % 14 + shift) / 20.0, positive);
      text += line;
    }
    writeFile(dir / "a.txt", text);
    const std::vector<std::string> bands = {"0:0.1", "0.1:0.5", "0:1", "0.33:0.35", "0.8:1"};
    std::string list;
    for (const std::string& band : bands) list += (list.empty() ? "" : ",") + band;
    const RunResult reference = runProgram(
        rscript, {(kData / "proc_reference.R").string(), "a.txt", "a.txt", list}, dir, "", 120);
    if (reference.status != 0 && reference.err.find("pROC") != std::string::npos) {
      GTEST_SKIP() << "R without pROC (./run setup installs r-cran-proc): " << reference.err;
    }
    ASSERT_EQ(reference.status, 0) << reference.err;
    auto theirs = reportOf(reference.out);
    ASSERT_EQ(theirs.size(), 2 * bands.size()) << reference.out;
    for (const std::string& band : bands) {
      const RunResult r =
          runProgram(kRocplot, {"a.txt", "--partial-fpr", band, "--bootstrap", "20"}, dir);
      ASSERT_EQ(r.status, 0) << r.err;
      auto ours = reportOf(r.out);
      for (const std::string name : {"partial_auc", "partial_auc_corrected"}) {
        const std::string value = theirs[name + "@" + band];
        if (value == "NA") {
          ++undefined;
          EXPECT_EQ(ours[name], "nan") << name << " " << band << " " << file;
        } else {
          EXPECT_NEAR(std::stod(ours[name]), std::stod(value), 1e-12)
              << name << " " << band << " " << file;
        }
      }
    }
  }
  EXPECT_GE(undefined, 3);
}

// Two classifiers scored on different cases (files of other lengths, with
// ties): DeLong's unpaired test agrees with pROC's roc.test(paired = FALSE),
// its p from Student's t.
TEST(RocplotE2e, UnpairedComparisonAgreesWithPRoc) {
  const fs::path rscript = "/usr/bin/Rscript";
  if (!fs::exists(rscript)) GTEST_SKIP() << "no Rscript (./run setup installs R and pROC)";
  fs::path dir = freshDir("unpaired");
  std::mt19937 random(10);
  for (const auto& [sizeA, sizeB] : {std::pair{40, 90}, std::pair{25, 25}, std::pair{150, 12}}) {
    for (const auto& [name, size, shift] : {std::tuple{"a.txt", sizeA, 5}, {"b.txt", sizeB, 2}}) {
      std::string text;
      for (int i = 0; i < size; ++i) {
        const bool positive = random() % 2 == 0;
        char line[32];
        std::snprintf(line, sizeof line, "%.2f,%d\n",
                      (random() % 12 + (positive ? shift : 0)) / 20.0, positive);
        text += line;
      }
      writeFile(dir / name, text);
    }
    const RunResult reference =
        runProgram(rscript, {(kData / "proc_reference.R").string(), "a.txt", "b.txt", "unpaired"},
                   dir, "", 120);
    if (reference.status != 0 && reference.err.find("pROC") != std::string::npos) {
      GTEST_SKIP() << "R without pROC (./run setup installs r-cran-proc): " << reference.err;
    }
    ASSERT_EQ(reference.status, 0) << reference.err;
    const RunResult r = runProgram(kRocplot, {"a.txt", "--compare", "b.txt", "--unpaired"}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    auto ours = reportOf(r.out), theirs = reportOf(reference.out);
    ASSERT_EQ(theirs.size(), 4u) << reference.out;
    for (const auto& [key, value] : theirs) {
      const double expected = std::stod(value);
      EXPECT_NEAR(std::stod(ours[key]), expected, 1e-9 * std::fabs(expected) + 1e-15)
          << key << " " << sizeA << " " << sizeB;
    }
  }
}

// --multiclass against the tools users trust: pROC's multiclass.roc for
// Hand and Till's M, scikit-learn's roc_auc_score for the one-vs-one and
// one-vs-rest means; scores that sum to 1 per record (as scikit-learn asks),
// on a coarse grid so that ties are common.
TEST(RocplotE2e, MulticlassAgreesWithProcAndScikitLearn) {
  const fs::path rscript = "/usr/bin/Rscript";
  if (!fs::exists(rscript)) GTEST_SKIP() << "no Rscript (./run setup installs R and pROC)";
  fs::path dir = freshDir("multiclass");
  std::mt19937 random(12);
  std::string text;
  for (int n = 0; n < 300; ++n) {
    const int label = static_cast<int>(random() % 4);
    int weights[4], total = 0;
    for (int& w : weights) total += w = 1 + static_cast<int>(random() % 6);
    weights[label] += 3;
    total += 3;
    text += std::to_string(label);
    for (int w : weights) {
      char score[32];
      std::snprintf(score, sizeof score, ",%.17g", static_cast<double>(w) / total);
      text += score;
    }
    text += "\n";
  }
  writeFile(dir / "m.csv", text);
  const RunResult r = runProgram(kRocplot, {"m.csv", "--multiclass", "--table", "t.tsv"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto ours = reportOf(r.out);
  const RunResult proc =
      runProgram(rscript, {(kData / "multiclass_reference.R").string(), "m.csv"}, dir, "", 120);
  ASSERT_EQ(proc.status, 0) << proc.err;
  const RunResult sklearn = runProgram(
      "/usr/bin/python3", {(kData / "multiclass_reference.py").string(), "m.csv"}, dir, "", 120);
  if (sklearn.status != 0 && sklearn.err.find("sklearn") != std::string::npos) {
    GTEST_SKIP() << "no scikit-learn (./run setup installs python3-sklearn): " << sklearn.err;
  }
  ASSERT_EQ(sklearn.status, 0) << sklearn.err;
  auto theirs = reportOf(proc.out + sklearn.out);
  ASSERT_EQ(theirs.size(), 4u) << proc.out << sklearn.out;
  for (const auto& [name, value] : theirs) {
    EXPECT_NEAR(std::stod(ours[name]), std::stod(value), 1e-12) << name;
  }
  // One header row, then per class a first row and a row per distinct score.
  const std::string table = readFile(dir / "t.tsv");
  EXPECT_EQ(table.substr(0, table.find('\n') + 1), "class\tthreshold\tfpr\ttpr\r\n");
  EXPECT_NE(table.find("\r\n0\tInf\t0\t0\r\n"), std::string::npos);
  // It is a report of its own: no picture, no other option.
  EXPECT_EQ(runProgram(kRocplot, {"m.csv", "--multiclass", "--report"}, dir).status, 1);
}

// Mistakes that leave a readable file give a warning each, and the numbers
// the report prints follow what the warning says.
TEST(RocplotE2e, PlausibleMistakesAreNamed) {
  struct Case {
    std::string text;
    std::vector<std::string> args;
    std::string err;
    const char* field;  // a report field, and its value
    const char* value;
  } cases[] = {
      {"0.9,1\n,1\n0.2,0\n",
       {},
       "rocplot: warning: s.txt: 1 of 3 scores are empty fields (the first on line 2): read as "
       "not a number, so the sweep takes them as below every threshold and the exact AUC leaves "
       "them out\n",
       "scores_not_numbers",
       "1"},
      {"0.9,1\n0.5,256\n0.2,0\n",
       {},
       "rocplot: warning: s.txt: 1 of 3 records have a class that is not 0 or 1 but reads as one "
       "(the first on line 2): a class is rounded to a whole number and taken modulo 256 (256 as "
       "0, 0.6 as 1); the picture counts them so, the exact AUC leaves them out\n",
       "other_classes",
       "1"},
      {"1,0.9\n0,0.2\n1,0.7\n0,0.4\n",
       {},
       "rocplot: warning: s.txt: 4 of 4 records have a class that is not 0 or 1 but reads as one "
       "(the first on line 1): a class is rounded to a whole number and taken modulo 256 (256 as "
       "0, 0.6 as 1); the picture counts them so, the exact AUC leaves them out\n"
       "rocplot: warning: s.txt: every score is 0 or 1 and 4 of 4 classes are fractions: the "
       "columns look swapped (class, score); each record is read as score, then class\n",
       "positives",
       "0"},
      // A trailing blank line is no record of data: the same warnings, and
      // nothing not a number.
      {"1,0.9\n0,0.2\n1,0.7\n0,0.4\n\n",
       {},
       "rocplot: warning: s.txt: 4 of 5 records have a class that is not 0 or 1 but reads as one "
       "(the first on line 1): a class is rounded to a whole number and taken modulo 256 (256 as "
       "0, 0.6 as 1); the picture counts them so, the exact AUC leaves them out\n"
       "rocplot: warning: s.txt: every score is 0 or 1 and 4 of 5 classes are fractions: the "
       "columns look swapped (class, score); each record is read as score, then class\n",
       "scores_not_numbers",
       "0"},
      {"0.9,1\n0.2,0\n",
       {"--header"},
       "rocplot: warning: s.txt: line 1 holds numbers only, yet --header leaves it out as column "
       "names: one record fewer\n",
       "records",
       "1"},
      {"\xEF\xBB\xBF"
       "0.9,1\n0.2,0\n",
       {},
       "",
       "records",
       "2"},
      {"\xEF\xBB\xBF"
       "score,class\n0.9,1\n0.2,0\n",
       {"--header"},
       "",
       "records",
       "2"},
  };
  for (const Case& c : cases) {
    fs::path dir = freshDir("mistakes");
    writeFile(dir / "s.txt", c.text);
    std::vector<std::string> args = {"s.txt", "--report"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = runProgram(kRocplot, args, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, c.err) << c.text;
    EXPECT_EQ(reportOf(r.out)[c.field], c.value) << c.text;
  }
}

TEST(RocplotE2e, HelpAndVersion) {
  fs::path dir = freshDir("help");
  RunResult help = runProgram(kRocplot, {"--help"}, dir);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: rocplot FILE", 0), 0u);
  RunResult version = runProgram(kRocplot, {"--version"}, dir);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("rocplot ", 0), 0u);
}

TEST(RocplotE2e, KeyWaitReturnsWhenInputIsNotATerminal) {
  fs::path dir = freshDir("key");
  fs::copy_file(kData / "perfect.txt", dir / "scores.txt");
  RunResult run = runProgram(kRocplot, {"scores.txt"}, dir, "x", 20);
  EXPECT_EQ(run.status, 0) << run.err;
}

}  // namespace
}  // namespace e2e
