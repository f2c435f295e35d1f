// rocplot run as a user runs it: on files, in a folder, without a display.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

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

TEST(RocplotE2e, FailuresSayWhatAndWriteNothing) {
  fs::path dir = freshDir("failures");
  writeFile(dir / "bad.txt", "0.5,1\n0.25,zero\n");
  fs::create_directory(dir / "folder");
  writeFile(dir / "roc.prn", "earlier result");
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{},
       "usage: rocplot FILE [roc] [--picture FILE.bmp|.png|.svg|.pdf] [--scale N] [--table FILE]\n "
       "              [--report] [--compare OTHER] [--level P]\n"},
      {{"missing.txt", "roc"},
       "rocplot: cannot open \"missing.txt\": file not found (No such file or directory)\n"},
      {{"  ", "roc"}, "rocplot: cannot open \"\": file not found (No such file or directory)\n"},
      {{"folder", "roc"},
       "rocplot: cannot open \"folder\": bad file name or path (Is a directory)\n"},
      {{"bad.txt", "roc"},
       "rocplot: bad.txt: line 2: type mismatch: expected a number, got \"zero\"\n"},
      {{"bad.txt", "--picture"},
       "usage: rocplot FILE [roc] [--picture FILE.bmp|.png|.svg|.pdf] [--scale N] [--table FILE]\n "
       "              [--report] [--compare OTHER] [--level P]\n"},
      {{"bad.txt", "--scale", "9"},
       "usage: rocplot FILE [roc] [--picture FILE.bmp|.png|.svg|.pdf] [--scale N] [--table FILE]\n "
       "              [--report] [--compare OTHER] [--level P]\n"},
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
  EXPECT_EQ(report["youden_threshold"], "0.800000011920929");
  for (const char* name : {"auc_100_thresholds", "best_threshold", "best_mcc", "best_ties"}) {
    EXPECT_EQ(report.count(name), 1u) << name;
  }

  r = runProgram(kRocplot, {"a.txt", "--compare", "a.txt"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  report = reportOf(r.out);
  EXPECT_EQ(report["difference"], "0");
  EXPECT_EQ(report["first_auc"], report["second_auc"]);

  r = runProgram(kRocplot, {"a.txt", "--compare", "b.txt"}, dir);
  EXPECT_EQ(r.status, 1);
  const std::string failure =
      "rocplot: b.txt: record 7: type mismatch: class 0 where a.txt has class 1\n";
  ASSERT_GE(r.err.size(), failure.size()) << r.err;
  EXPECT_EQ(r.err.substr(r.err.size() - failure.size()), failure) << r.err;
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
