// Yieldex and Tremora in batch mode on the example network, checked against
// each other and against statistics worked out here from the files alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(EXAMPLES_DIR) / "ebp";

std::vector<std::string> linesOf(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t next; (next = text.find(end, at)) != std::string::npos; at = next + end.size()) {
    lines.push_back(text.substr(at, next - at));
  }
  if (at < text.size()) lines.push_back(text.substr(at));
  return lines;
}

double valueAfterTab(const std::string& line) {
  return std::stod(line.substr(line.find('\t') + 1));
}

// The network's outputs and the targets of the example's 569 patterns (one
// output), then MSE and R^2 with the means taken first.
struct Fit {
  double mse, r2;
};
Fit fitOf(const std::vector<double>& y, const std::vector<double>& t) {
  const double n = static_cast<double>(y.size());
  double my = 0, mt = 0, sse = 0;
  for (std::size_t p = 0; p < y.size(); ++p) {
    my += y[p] / n;
    mt += t[p] / n;
    sse += (t[p] - y[p]) * (t[p] - y[p]);
  }
  double cyy = 0, ctt = 0, cyt = 0;
  for (std::size_t p = 0; p < y.size(); ++p) {
    cyy += (y[p] - my) * (y[p] - my);
    ctt += (t[p] - mt) * (t[p] - mt);
    cyt += (y[p] - my) * (t[p] - mt);
  }
  return {sse / n, cyt * cyt / (cyy * ctt)};
}

std::vector<double> targetsOfExample() {
  std::istringstream in(readFile(kExamples / "cancer.pat"));
  int nI = 0, nO = 0;
  long nP = 0;
  in >> nI >> nO >> nP;
  std::vector<double> t;
  double v = 0;
  for (long p = 0; p < nP; ++p) {
    for (int i = 0; i < nI; ++i) in >> v;
    in >> v;
    t.push_back(v);
  }
  return t;
}

TEST(NetworkPrograms, YieldexAndTremoraAgreeOnTheExampleNetwork) {
  const fs::path dir = freshDir("network_e2e");
  const std::string pat = (kExamples / "cancer.pat").string();
  const std::string wgt = (kExamples / "cancer.wgt").string();
  const RunResult y =
      runProgram(YIELDEX_EXE, {pat, "--weights", wgt, "--output", "c.out", "--plot", "c.png"}, dir);
  ASSERT_EQ(y.status, 0) << y.err;
  EXPECT_EQ(y.err, "");

  // The output file: one line per pattern, " value " and CR LF, the values
  // those of the network's trainer.
  const std::vector<std::string> rows = linesOf(readFile(dir / "c.out"), "\r\n");
  ASSERT_EQ(rows.size(), 569u);
  std::istringstream expected(readFile(kExamples / "cancer.expected"));
  std::vector<double> outputs;
  for (const std::string& row : rows) {
    ASSERT_EQ(row.front(), ' ');
    ASSERT_EQ(row.back(), ' ');
    double want = 0;
    expected >> want;
    outputs.push_back(std::stod(row));
    EXPECT_NEAR(outputs.back(), want, 1e-12 * std::fabs(want));
  }

  // The report, then the output file's path apart from it.
  const std::vector<std::string> report = linesOf(y.out, "\n");
  ASSERT_EQ(report.size(), 13u) << y.out;
  EXPECT_EQ(report[0], "Patterns\t" + pat);
  EXPECT_EQ(report[1], "Weights\t" + wgt);
  EXPECT_EQ(report[3], "Overall");
  EXPECT_EQ(report[7], "Output 1");
  EXPECT_EQ(report[10], "");
  EXPECT_EQ(report[11], "");
  EXPECT_EQ(report[12], "output saved to: c.out");
  const Fit fit = fitOf(outputs, targetsOfExample());
  for (int at : {4, 8}) EXPECT_NEAR(valueAfterTab(report[at]), fit.mse, 1e-12 * fit.mse);
  for (int at : {5, 9}) EXPECT_NEAR(valueAfterTab(report[at]), fit.r2, 1e-10);
  EXPECT_EQ(readFile(dir / "c.png").substr(1, 3), "PNG");

  // --scores hands the outputs to rocplot: its exact AUC is the share of
  // (malignant, benign) pairs in which the malignant case scores higher.
  const RunResult s = runProgram(
      YIELDEX_EXE,
      {pat, "--weights", wgt, "--output", "c.out", "--scores", "s.txt", "--confusion", "m.txt"},
      dir);
  ASSERT_EQ(s.status, 0) << s.err;
  const RunResult roc = runProgram(ROCPLOT_EXE, {"s.txt", "--report"}, dir);
  ASSERT_EQ(roc.status, 0) << roc.err;
  const std::size_t at = roc.out.find("exact_auc\t");
  ASSERT_NE(at, std::string::npos) << roc.out;
  const std::vector<double> targets = targetsOfExample();
  double pairs = 0, wins = 0;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (std::size_t j = 0; j < outputs.size(); ++j) {
      if (targets[i] < 0.5 || targets[j] >= 0.5) continue;
      const float x = static_cast<float>(outputs[i]), y = static_cast<float>(outputs[j]);
      pairs += 1;
      wins += x > y ? 1 : x == y ? 0.5 : 0;
    }
  }
  EXPECT_NEAR(std::stod(roc.out.substr(at + 10)), wins / pairs, 1e-12);

  // --confusion counts the same outputs against the targets at 0.5, rows the
  // network's class 0 and 1, in the layout kappatest reads.
  long cells[2][2] = {};
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    ++cells[outputs[i] >= 0.5 ? 1 : 0][targets[i] >= 0.5 ? 1 : 0];
  }
  EXPECT_EQ(readFile(dir / "m.txt"),
            std::to_string(cells[0][0]) + " " + std::to_string(cells[0][1]) + "\n" +
                std::to_string(cells[1][0]) + " " + std::to_string(cells[1][1]) + "\n");
  const RunResult kappa = runProgram(KAPPATEST_EXE, {}, dir, "m.txt\n2\n\n0\n");
  EXPECT_EQ(kappa.status, 0) << kappa.err;
  EXPECT_EQ(kappa.err, "");

  // Tremora's base error is the same mean square error; one line per level.
  const RunResult t = runProgram(
      TREMORA_EXE, {"--noise", (kExamples / "noise.cfg").string(), "--results", "t.err", pat, wgt},
      dir);
  ASSERT_EQ(t.status, 0) << t.err;
  const std::vector<std::string> results = linesOf(readFile(dir / "t.err"), "\r\n");
  ASSERT_EQ(results.size(), 4u + 6u);
  EXPECT_EQ(results[0], "\"patterns\",\"" + pat + "\"");
  EXPECT_NEAR(std::stod(results[3]), fit.mse, 1e-12 * fit.mse);
  for (std::size_t l = 4; l < results.size(); ++l) {
    EXPECT_EQ(std::count(results[l].begin(), results[l].end(), ','), 29) << l;
  }
  EXPECT_NE(t.out.find(" NN Mean Square Error = 0.0365405\n"), std::string::npos) << t.out;
  EXPECT_NE(t.out.find("    perturbations per pattern: 10\n"), std::string::npos);
  EXPECT_NE(t.out.find(" output saved to: t.err"), std::string::npos);
}

// The example network through ONNX: Yieldex's export read back by both
// programs gives the very files the weights file gives; what cannot be run
// on a model is refused, naming the files.
TEST(NetworkPrograms, AnOnnxModelRunsAsItsWeightsFile) {
  const fs::path dir = freshDir("network_onnx");
  const std::string pat = (kExamples / "cancer.pat").string();
  const std::string wgt = (kExamples / "cancer.wgt").string();
  const std::string noise = (kExamples / "noise.cfg").string();
  const RunResult exported =
      runProgram(YIELDEX_EXE, {"--weights", wgt, "--export-onnx", "n.onnx"}, dir);
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out, "network saved to: n.onnx\n");
  for (const std::string network : {wgt, std::string("n.onnx")}) {
    const std::string tag = network == wgt ? "wgt" : "onnx";
    const RunResult y =
        runProgram(YIELDEX_EXE, {pat, "--weights", network, "--output", tag + ".out"}, dir);
    ASSERT_EQ(y.status, 0) << y.err;
    const RunResult t =
        runProgram(TREMORA_EXE, {"--noise", noise, "--results", tag + ".err", pat, network}, dir);
    ASSERT_EQ(t.status, 0) << t.err;
  }
  EXPECT_EQ(readFile(dir / "onnx.out"), readFile(dir / "wgt.out"));
  const std::vector<std::string> byWgt = linesOf(readFile(dir / "wgt.err"), "\r\n");
  const std::vector<std::string> byOnnx = linesOf(readFile(dir / "onnx.err"), "\r\n");
  ASSERT_EQ(byOnnx.size(), byWgt.size());
  for (std::size_t l = 2; l < byWgt.size(); ++l) EXPECT_EQ(byOnnx[l], byWgt[l]) << l;

  // The export onto its own input is refused and leaves the model whole.
  const std::string model = readFile(dir / "n.onnx");
  writeFile(dir / "narrow.pat", "4 1 1\n0.1 0.2 0.3 0.4 1\n");
  writeFile(dir / "not.onnx", "30 6 1\n");
  struct Row {
    const char* exe;
    std::vector<std::string> args;
    std::string message;
  } rows[] = {
      {YIELDEX_EXE,
       {"narrow.pat", "--weights", "n.onnx"},
       "Yieldex: n.onnx: the network takes 30 inputs and gives 1 output, where the header of "
       "narrow.pat announces 4 inputs and 1 output; this network cannot be applied to them"},
      {TREMORA_EXE,
       {"--noise", noise, "narrow.pat", "n.onnx"},
       "Tremora: n.onnx: the network takes 30 inputs and gives 1 output, where the header of "
       "narrow.pat announces 4 inputs and 1 output; this network cannot be applied to them"},
      {YIELDEX_EXE,
       {pat, "--weights", "not.onnx"},
       "Yieldex: not.onnx: not an ONNX model (the file does not read as one)"},
      {YIELDEX_EXE,
       {pat, "--weights", wgt, "--export-onnx", "m.onnx"},
       "Yieldex: --export-onnx: subscript out of range: converts the network only; give no "
       "pattern file"},
      {YIELDEX_EXE, {"--weights", "n.onnx", "--export-onnx", "n.onnx"}, ""},
  };
  for (const Row& r : rows) {
    const RunResult run = runProgram(r.exe, r.args, dir);
    EXPECT_EQ(run.status, 1) << r.args[0];
    const std::vector<std::string> err = linesOf(run.err, "\n");
    ASSERT_FALSE(err.empty()) << r.args[0];
    if (!r.message.empty()) EXPECT_EQ(err.back(), r.message);
  }
  EXPECT_FALSE(fs::exists(dir / "m.onnx"));
  EXPECT_EQ(readFile(dir / "n.onnx"), model);
}

// The "name<TAB>value" lines a run prints for each output (or input, with
// "_input_" as "marker").
std::map<std::string, std::string> metricsOf(const std::string& out,
                                             const std::string& marker = "_output_") {
  std::map<std::string, std::string> values;
  for (const std::string& line : linesOf(out, "\n")) {
    const std::size_t tab = line.find('\t');
    if (line.find(marker) < tab) values[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return values;
}

// --metrics on a network of two outputs, a classifier's (targets 0/1) and a
// regression's, against scikit-learn's functions on the output file and the
// targets; the report before them is the one printed without the option.
TEST(NetworkPrograms, YieldexMetricsAgreeWithScikitLearn) {
  const fs::path dir = freshDir("network_metrics");
  std::mt19937 random(9);
  std::uniform_real_distribution<double> uniform(0, 1);
  std::string pat = "2 2 300\n", wgt = "2 2 2\n";
  char text[96];
  for (int p = 0; p < 300; ++p) {
    const double a = uniform(random), b = uniform(random);
    std::snprintf(text, sizeof text, "%.17g %.17g %d %.17g\n", a, b, a + b > 1.1 ? 1 : 0,
                  0.2 + 0.6 * a * b);
    pat += text;
  }
  for (int w = 0; w < 9 + 6; ++w) {
    std::snprintf(text, sizeof text, "%.17g\n", 6 * uniform(random) - 3);
    wgt += text;
  }
  writeFile(dir / "n.pat", pat);
  writeFile(dir / "n.wgt", wgt);
  const RunResult plain = runProgram(YIELDEX_EXE, {"n.pat"}, dir);
  ASSERT_EQ(plain.status, 0) << plain.err;
  const RunResult y = runProgram(YIELDEX_EXE, {"n.pat", "--metrics"}, dir);
  ASSERT_EQ(y.status, 0) << y.err;
  const std::size_t saved = plain.out.find("\noutput saved to:");
  ASSERT_NE(saved, std::string::npos);
  EXPECT_EQ(y.out.substr(0, saved), plain.out.substr(0, saved));
  EXPECT_EQ(y.out.substr(y.out.size() - (plain.out.size() - saved)), plain.out.substr(saved));
  const std::map<std::string, std::string> ours = metricsOf(y.out);
  EXPECT_EQ(ours.size(), 10u) << y.out;

  const RunResult reference = runProgram(
      "/usr/bin/python3",
      {(fs::path(TEST_DATA_DIR) / "ebp" / "sklearn_metrics.py").string(), "n.pat", "n.out"}, dir,
      "", 120);
  if (reference.status != 0 && reference.err.find("sklearn") != std::string::npos) {
    GTEST_SKIP() << "no scikit-learn (./run setup installs python3-sklearn): " << reference.err;
  }
  ASSERT_EQ(reference.status, 0) << reference.err;
  const std::map<std::string, std::string> theirs = metricsOf(reference.out);
  ASSERT_EQ(theirs.size(), 10u) << reference.out;
  for (const auto& [name, value] : theirs) {
    ASSERT_EQ(ours.count(name), 1u) << name;
    const double expected = std::stod(value), got = std::stod(ours.at(name));
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(got)) << name;
    } else {
      EXPECT_NEAR(got, expected, 1e-12 * std::fabs(expected) + 1e-15) << name;
    }
  }
  EXPECT_EQ(ours.at("log_loss_output_2"), "nan");
  EXPECT_NE(ours.at("accuracy_output_1"), "nan");
}

// Tremora --permutation in place of the noise analysis: the lines of every
// input, the same for the same seed and not for another, a table row per
// input, nothing else written; options of the noise analysis refused.
TEST(NetworkPrograms, TremoraPermutationImportance) {
  const fs::path dir = freshDir("network_permutation");
  const std::string pat = (kExamples / "cancer.pat").string();
  const std::string wgt = (kExamples / "cancer.wgt").string();
  const std::vector<std::string> args = {
      "--permutation", "--repeats", "3", "--seed", "4", pat, wgt};
  std::vector<std::string> withTable = args;
  withTable.insert(withTable.begin(), {"--table", "p.tsv"});
  const RunResult first = runProgram(TREMORA_EXE, withTable, dir);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err, "");
  const std::map<std::string, std::string> lines = metricsOf(first.out, "_input_");
  EXPECT_EQ(linesOf(first.out, "\n").size(), 3u + 4u * 30u);
  EXPECT_EQ(first.out.substr(0, 17), "repeats\t3\nseed\t4\n");
  // The base error of the noise analysis, of one output.
  EXPECT_NEAR(std::stod(first.out.substr(first.out.find("base_mse\t") + 9)), 0.0365405, 1e-7);
  for (int i = 1; i <= 30; ++i) {
    const std::string n = std::to_string(i);
    const double mean = std::stod(lines.at("importance_mean_input_" + n));
    EXPECT_LE(std::stod(lines.at("importance_low_input_" + n)), mean) << i;
    EXPECT_GE(std::stod(lines.at("importance_high_input_" + n)), mean) << i;
  }
  EXPECT_EQ(linesOf(readFile(dir / "p.tsv"), "\r\n").size(), 31u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  EXPECT_EQ(runProgram(TREMORA_EXE, args, dir).out, first.out);
  std::vector<std::string> otherSeed = args;
  otherSeed[4] = "5";
  EXPECT_NE(runProgram(TREMORA_EXE, otherSeed, dir).out.substr(17), first.out.substr(17));
  std::vector<std::string> noise = args;
  noise.insert(noise.begin(), "--fixed");
  const RunResult refused = runProgram(TREMORA_EXE, noise, dir);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "Tremora: --permutation: subscript out of range: --fixed belongs to the noise "
            "analysis, which --permutation replaces\n");
}

}  // namespace
}  // namespace e2e
