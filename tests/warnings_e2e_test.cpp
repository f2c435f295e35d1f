// Inputs whose results cannot be trusted: each program says so on standard
// error, one line, and goes on with the outputs and status it always had; a
// clean file draws no warning.  What no run can make sense of (a rank that
// is no number, a negative count, an unknown option) stops it instead, with
// the mistake named.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = EXAMPLES_DIR;

std::string exampleText(const char* name) { return readFile(kExamples / name); }

// The example pattern file with its header line replaced.
std::string patternsWithHeader(const std::string& header, std::size_t keepBytes = 0) {
  std::string text = exampleText("ebp/cancer.pat");
  text = header + text.substr(text.find('\n'));
  return keepBytes ? text.substr(0, keepBytes) : text;
}

std::string repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct Case {
  const char* name;
  fs::path program;
  std::vector<std::pair<std::string, std::string>> files;  // written into the run's folder
  std::vector<std::string> args;
  std::string input;    // standard input
  int status;           // the status the run must end with
  std::string warning;  // the text of the one warning line after "PROGRAM: warning: "; "" none
  std::string error;    // a text the error must hold; "" when the run succeeds
};

std::vector<Case> cases() {
  const std::string wgt = (kExamples / "ebp/cancer.wgt").string();
  const std::string noise = (kExamples / "ebp/noise.cfg").string();
  const std::string clip =
      "the sweep covers thresholds 0 to 0.99 only, so the AUC and best point describe a "
      "clipped curve";
  return {
      {"rocplot clean",
       ROCPLOT_EXE,
       {{"s.txt", "0.3,1\n0.2,0\n0.9,1\n"}},
       {"s.txt"},
       "",
       0,
       "",
       ""},
      {"rocplot decision-function scores",
       ROCPLOT_EXE,
       {{"s.txt", "0.3,1\n-1.5,0\n2.5,1\n"}},
       {"s.txt"},
       "",
       0,
       "s.txt: 2 of 3 scores lie outside 0..1 (the first on line 2): " + clip,
       ""},
      {"rocplot -1/+1 labels",
       ROCPLOT_EXE,
       {{"s.txt", "0.3,1\n0.2,-1\n0.9,1\n"}},
       {"s.txt"},
       "",
       0,
       "s.txt: 1 of 3 records have a class other than 0 and 1 (the first on line 2): only class "
       "1 counts as positive and class 0 as negative",
       ""},
      {"rocplot scores that are not numbers",
       ROCPLOT_EXE,
       {{"s.txt", "0.3,1\nnan,0\n0.9,1\n"}},
       {"s.txt"},
       "",
       0,
       "s.txt: 1 of 3 scores are not numbers (the first on line 2): the sweep takes them as below "
       "every threshold; the exact AUC leaves them out",
       ""},
      {"rocplot a third column",
       ROCPLOT_EXE,
       {{"s.txt", "0.3,1,0\n0.2,0,1\n"}},
       {"s.txt", "--report"},
       "",
       0,
       "s.txt: line 1 holds an odd count of fields (1 of 3 records run over two lines): records "
       "are read as a stream of score, class pairs, so a third column, or a blank line (an empty "
       "field), shifts every pairing after it",
       ""},
      {"rocplot header row found",
       ROCPLOT_EXE,
       {{"s.txt", "score,class\n0.3,1\n0.2,0\n"}},
       {"s.txt", "--report"},
       "",
       0,
       "s.txt: line 1 is not numbers: read as a row of column names and left out (--header says "
       "so without this warning)",
       ""},
      {"rocplot header row named",
       ROCPLOT_EXE,
       {{"s.txt", "score,class\n0.3,1\n0.2,0\n"}},
       {"s.txt", "--header"},
       "",
       0,
       "",
       ""},
      {"rocplot text after the header still fails",
       ROCPLOT_EXE,
       {{"s.txt", "score,class\n0.3,1\nyes,0\n"}},
       {"s.txt", "--header"},
       "",
       1,
       "",
       "s.txt: line 3: type mismatch"},
      {"Favomap5 clean",
       FAVOMAP_EXE,
       {{"m.bmu", "hexa\n2\n2,2\nA,1,1\nB,2,2\n"}, {"c.cls", "1 2\n3 4\n"}},
       {"--bmu", "m.bmu", "--option", "4", "--classes", "c.cls"},
       "",
       0,
       "",
       ""},
      {"Favomap5 rows counted from 0",
       FAVOMAP_EXE,
       {{"m.bmu", "hexa\n4\n2,2\nA,1,1\nB,0,1\nC,2,2\nD,1,0\n"}},
       {"--bmu", "m.bmu"},
       "",
       0,
       "m.bmu: 2 of 4 objects lie in row or column 0, outside the map's rows 1..2 and columns "
       "1..2 (the first on line 5): they are left off the picture; rows and columns count from 1",
       ""},
      {"Favomap5 grid word in capitals, a tab after it",
       FAVOMAP_EXE,
       {{"m.bmu", "HEXA\t\n1\n2,2\nA,1,1\n"}},
       {"--bmu", "m.bmu"},
       "",
       0,
       "",
       ""},
      {"Favomap5 rectangular grid",
       FAVOMAP_EXE,
       {{"m.bmu", "rect\n1\n2,2\nA,1,1\n"}},
       {"--bmu", "m.bmu"},
       "",
       0,
       "m.bmu: line 1 names the grid \"rect\" where \"hexa\" is expected: the map is drawn with a "
       "hexagonal lattice",
       ""},
      {"Favomap5 class file longer than the map",
       FAVOMAP_EXE,
       {{"m.bmu", "hexa\n1\n2,2\nA,1,1\n"}, {"c.cls", "1 2\n3 4\n5 6\n"}},
       {"--bmu", "m.bmu", "--option", "4", "--classes", "c.cls"},
       "",
       0,
       "c.cls: the file holds more values than the 4 units of the map: item 5 (line 3) and those "
       "after it are left out (a class per unit, row by row)",
       ""},
      {"Favomap5 fewer class names than classes",
       FAVOMAP_EXE,
       {{"m.bmu", "hexa\n1\n2,2\nA,1,1\n"}, {"c.cls", "1 2\n3 2\n"}, {"n.txt", "one\ntwo\n"}},
       {"--bmu", "m.bmu", "--option", "4", "--classes", "c.cls", "--style", "paper",
        "--class-names", "n.txt", "--output", "m.svg"},
       "",
       0,
       "n.txt: names 2 classes, one a line, but the map has 3: the classes after line 2 show "
       "their numbers in the legend",
       ""},
      {"Colfold clean",
       COLFOLD_EXE,
       {{"t.txt", "1 2 3\n4 5 6\n"}},
       {"t.txt", "o.pat", "2", "1", "2"},
       "",
       0,
       "",
       ""},
      {"Colfold count that is not a number",
       COLFOLD_EXE,
       {{"t.txt", "1 2 3\n4 5 6\n"}},
       {"t.txt", "o.pat", "four", "1", "2"},
       "",
       0,
       "o.pat: the count of inputs \"four\" is not a whole number: it stands in the header as "
       "typed, and the programs that read the file will stop on it",
       ""},
      {"Colfold table of another size",
       COLFOLD_EXE,
       {{"t.txt", "1 2 3\n4 5 6\n"}},
       {"t.txt", "o.pat", "2", "1", "3"},
       "",
       0,
       "t.txt: the table holds 6 numbers where (2 + 1) x 3 = 9 were announced: the header will "
       "not match the numbers below it",
       ""},
      {"kappatest clean",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n2\n\n0\n",
       0,
       "",
       ""},
      {"kappatest rank too large",
       KAPPATEST_EXE,
       {{"m.txt", "1 2 3\n4 5 6\n7 8 9\n"}},
       {},
       "m.txt\n4\n\n0\n",
       0,
       "m.txt: the file holds 9 numbers where a matrix of rank 4 takes 16: they fill it row by "
       "row and the missing cells read as 0, so the table is not the one meant",
       ""},
      {"kappatest rank too small",
       KAPPATEST_EXE,
       {{"m.txt", "1 2 3\n4 5 6\n7 8 9\n"}},
       {},
       "m.txt\n2\n\n0\n",
       0,
       "m.txt: the file holds 9 numbers where a matrix of rank 2 takes 4: the first fill it row "
       "by row and the rest are left out, so the table is not the one meant",
       ""},
      {"kappatest rank that is text",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\ntwo\n\n0\n",
       1,
       "",
       "kappatest: standard input: answer 2: type mismatch: expected the confusion matrix rank, "
       "a whole number from 1 to 10000, got \"two\"\n"},
      {"kappatest rank 0",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n0\n\n0\n",
       1,
       "",
       "answer 2: type mismatch: expected the confusion matrix rank"},
      {"kappatest negative rank",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n-2\n\n0\n",
       1,
       "",
       "answer 2: type mismatch: expected the confusion matrix rank"},
      {"kappatest huge rank",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n3e9\n\n0\n",
       1,
       "",
       "kappatest: confusion matrix rank 3000000000: too large: at most 10000\n"},
      {"kappatest answers that end early",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n",
       1,
       "",
       "kappatest: standard input: answer 2: input past end of file: the answers end before the "
       "confusion matrix rank\n"},
      {"kappatest no weights file name",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n2\n\n1\n3",
       1,
       "",
       "kappatest: standard input: answer 6: input past end of file: the answers end before the "
       "weights file name\n"},
      {"kappatest negative count",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n-10 15\n"}},
       {},
       "m.txt\n2\n\n0\n",
       1,
       "",
       "kappatest: m.txt: line 2: type mismatch: expected a count of cases (a whole number, 0 or "
       "more) in row 2, column 1, got -10\n"},
      {"kappatest counts past any sum",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 1e300\n"}},
       {},
       "m.txt\n2\n\n0\n",
       1,
       "",
       "kappatest: m.txt: line 2: overflow: the count 1e+300 in row 2, column 2 is above "
       "9007199254740992 (2^53), the largest read exactly\n"},
      {"kappatest level in percent",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n2\n95\n0\n",
       0,
       "standard input: the confidence level 95 is 1 or more, which no interval has, so its ends "
       "are meaningless: a level is a fraction, not a percentage; for a 95% interval answer 0.95",
       ""},
      {"kappatest negative level",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n2\n-0.95\n0\n",
       0,
       "standard input: the confidence level -0.95 is below 0, which no interval has, so its ends "
       "are meaningless: a level is a fraction between 0 and 1, such as 0.95 for a 95% interval",
       ""},
      {"kappatest significance for level",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {},
       "m.txt\n2\n0.05\n0\n",
       0,
       "standard input: the confidence level 0.05 asks for a 5% interval: a level is the "
       "interval's coverage, 1 minus the significance level, so a 95% interval is 0.95",
       ""},
      {"kappatest matrix of proportions",
       KAPPATEST_EXE,
       {{"m.txt", "0.4 0.1\n0.2 0.3\n"}},
       {},
       "m.txt\n2\n\n0\n",
       0,
       "m.txt: every number lies within 0..1 and some are fractions, as in a matrix of "
       "proportions: the cells are counts of cases, so each is rounded to 0 or 1 and kappa is "
       "not the table's; give the counts",
       ""},
      {"kappatest weights outside 0..1",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}, {"w.txt", "1 2\n2 1\n"}},
       {},
       "m.txt\n2\n\n1\n3\nw.txt\n",
       0,
       "w.txt: 2 of 4 weights lie outside 0..1 (the first in row 1, column 2: 2): a weight is the "
       "credit a pair of categories earns, from 0 (none) to 1 (full agreement), so kappa is no "
       "longer on its scale and its grade means nothing",
       ""},
      {"kappatest unknown option",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {"--detail"},
       "m.txt\n2\n\n0\n",
       1,
       "",
       "kappatest: unknown option \"--detail\" (see --help)\n"},
      {"kappatest two matrices as arguments",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {"m.txt", "m.txt"},
       "",
       1,
       "",
       "kappatest: a second input \"m.txt\": give one of MATRIX, --ratings FILE and --fleiss "
       "FILE (see --help)\n"},
      {"kappatest matrix argument of no square count",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n1\n"}},
       {"m.txt", "--weights", "linear"},
       "",
       1,
       "",
       "kappatest: m.txt: type mismatch: the file holds 5 numbers, which is no k x k matrix (1, "
       "4, 9, 16, ... numbers)\n"},
      {"kappatest matrix argument, level for significance",
       KAPPATEST_EXE,
       {{"m.txt", "20 5\n10 15\n"}},
       {"m.txt", "--level", "0.05"},
       "",
       0,
       "--level: the confidence level 0.05 asks for a 5% interval: a level is the interval's "
       "coverage, 1 minus the significance level, so a 95% interval is 0.95",
       ""},
      {"kappatest Fleiss subject of fewer raters",
       KAPPATEST_EXE,
       {{"f.txt", "a b a\nb b\n"}},
       {"--fleiss", "f.txt"},
       "",
       1,
       "",
       "kappatest: f.txt: line 2: type mismatch: subject 2 has 2 ratings where subject 1 has 3: "
       "every subject must be rated by the same number of raters\n"},
      {"kappatest ratings of words with linear weights",
       KAPPATEST_EXE,
       {{"r.txt", "1,2\n2,low\n"}},
       {"--ratings", "r.txt", "--weights", "linear"},
       "",
       1,
       "",
       "kappatest: r.txt: line 2: type mismatch: the label \"low\" is no number: linear weights "
       "weigh the labels by their order as numbers\n"},
      {"Colfold surplus argument",
       COLFOLD_EXE,
       {{"t.txt", "1 2 3\n4 5 6\n"}},
       {"t.txt", "o.pat", "2", "1", "2", "extra"},
       "",
       1,
       "",
       "Colfold: 6 fields where it takes 5, from \"extra\" on; the arguments are cut at blanks "
       "(see --help)\n"},
      {"Colfold unknown option",
       COLFOLD_EXE,
       {{"t.txt", "1 2 3\n4 5 6\n"}},
       {"--append", "t.txt", "o.pat", "2", "1", "2"},
       "",
       1,
       "",
       "Colfold: unknown option \"--append\" (see --help)\n"},
      {"Yieldex header of other counts",
       YIELDEX_EXE,
       {{"p.pat", patternsWithHeader("30 3 569")}},
       {"p.pat", "--weights", wgt, "--output", "p.out"},
       "",
       0,
       "p.pat: the header announces 30 inputs and 3 outputs where the network holds 30 and 1 (" +
           wgt + "): the patterns are read by the network's counts",
       ""},
      {"Yieldex --calibration with targets not all 0 or 1",
       YIELDEX_EXE,
       {{"h.pat", "1 1 2\n0.2 0.5\n0.7 0.3\n"}, {"h.wgt", "1 1 1\n2 0\n-1 0\n1\n0\n"}},
       {"h.pat", "--output", "h.out", "--plot", "h.svg", "--style", "paper", "--calibration"},
       "",
       0,
       "h.pat: --calibration needs targets all 0 or 1; the figure has no reliability diagram",
       ""},
      {"Yieldex --calibration with targets 0 and 1",
       YIELDEX_EXE,
       {{"h.pat", "1 1 2\n0.2 0\n0.7 1\n"}, {"h.wgt", "1 1 1\n2 0\n-1 0\n1\n0\n"}},
       {"h.pat", "--output", "h.out", "--plot", "h.svg", "--style", "paper", "--calibration"},
       "",
       0,
       "",
       ""},
      {"Yieldex --calibration without the paper style",
       YIELDEX_EXE,
       {{"h.pat", "1 1 2\n0.2 0\n0.7 1\n"}, {"h.wgt", "1 1 1\n2 0\n-1 0\n1\n0\n"}},
       {"h.pat", "--output", "h.out", "--plot", "h.svg", "--calibration"},
       "",
       1,
       "",
       "--calibration"},
      {"Yieldex header of other counts, file short",
       YIELDEX_EXE,
       {{"p.pat", patternsWithHeader("4 3 569", 100000)}},
       {"p.pat", "--weights", wgt, "--output", "p.out"},
       "",
       1,
       "p.pat: the header announces 4 inputs and 3 outputs where the network holds 30 and 1 (" +
           wgt + "): the patterns are read by the network's counts",
       "input past end of file; the network takes 31 numbers a pattern, where the header "
       "announced 4 + 3 = 7\n"},
      {"Tremora header of other counts",
       TREMORA_EXE,
       {{"p.pat", patternsWithHeader("4 3 569")}},
       {"--noise", noise, "--results", "t.err", "p.pat", wgt},
       "",
       0,
       "p.pat: the header announces 4 inputs and 3 outputs where the network holds 30 and 1 (" +
           wgt + "): the network's weights are read by the pattern file's counts",
       ""},
      {"Tremora noise levels in percent",
       TREMORA_EXE,
       {{"p.pat", exampleText("ebp/cancer.pat")}, {"n.cfg", "2\n0.5\n5\n10\n20\n"}},
       {"--noise", "n.cfg", "--results", "t.err", "p.pat", wgt},
       "",
       0,
       "n.cfg: 3 of 4 noise levels lie above 1 (the first is 5): a level is a fraction of the "
       "input range, 0.05 for 5% noise",
       ""},
      // Not a warning but a picture name of no format, refused before the work.
      {"Tremora plot of no format",
       TREMORA_EXE,
       {{"p.pat", exampleText("ebp/cancer.pat")}},
       {"--noise", noise, "--results", "t.err", "--plot", "t.jpx", "p.pat", wgt},
       "",
       1,
       "",
       "Tremora: --plot: no picture format ends in \".jpx\"; name a "},
      // Not a warning but the refusal of what no memory holds, before reading.
      {"Tremora too large for memory",
       TREMORA_EXE,
       {{"p.pat", "1 1 4000\n" + repeated("0.5 1\n", 4000)}, {"w.wgt", "1 100000000 1\n"}},
       {"--noise", noise, "--results", "t.err", "p.pat", "w.wgt"},
       "",
       1,
       "",
       "p.pat: too large: 4000 patterns of 1 inputs and 1 outputs through 100000000 hidden "
       "nodes need 3200.0 GB of memory (the patterns 0.0 GB, the hidden nodes' carried sums "
       "3200.0 GB, the error terms 0.0 GB), more than this machine's "},
  };
}

TEST(Warnings, SaidOnceOnStandardErrorAndNothingElseChanges) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const fs::path dir = freshDir("warnings");
    for (const auto& [name, text] : c.files) writeFile(dir / name, text);
    const RunResult run = runProgram(c.program, c.args, dir, c.input);
    EXPECT_EQ(run.status, c.status) << run.err;
    const std::string program = c.program.filename().string();
    const std::string warningLine = program + ": warning: " + c.warning + "\n";
    if (c.warning.empty()) {
      EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
    } else {
      EXPECT_EQ(run.err.substr(0, warningLine.size()), warningLine) << run.err;
    }
    const std::string rest = c.warning.empty() ? run.err : run.err.substr(warningLine.size());
    if (c.error.empty()) {
      EXPECT_EQ(rest, "");
    } else {
      EXPECT_NE(rest.find(c.error), std::string::npos) << rest;
    }
  }
}

// A header row left out with --header or found on its own draws the same
// picture and report as the file without it.
TEST(Warnings, AHeaderRowChangesNoResult) {
  const fs::path dir = freshDir("warnings_header");
  writeFile(dir / "plain.txt", "0.3,1\n0.2,0\n0.9,1\n0.4,0\n");
  writeFile(dir / "named.txt", "score,class\n0.3,1\n0.2,0\n0.9,1\n0.4,0\n");
  const RunResult plain =
      runProgram(ROCPLOT_EXE, {"plain.txt", "--report", "--picture", "p.bmp"}, dir);
  const RunResult named =
      runProgram(ROCPLOT_EXE, {"named.txt", "--report", "--picture", "n.bmp", "--header"}, dir);
  const RunResult found = runProgram(
      ROCPLOT_EXE, {"named.txt", "--report", "--picture", "f.bmp", "--compare", "named.txt"}, dir);
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(named.out, plain.out);
  EXPECT_EQ(found.out.substr(0, plain.out.size()), plain.out);
  EXPECT_EQ(readFile(dir / "n.bmp"), readFile(dir / "p.bmp"));
  EXPECT_EQ(readFile(dir / "f.bmp"), readFile(dir / "p.bmp"));
}

}  // namespace
}  // namespace e2e
