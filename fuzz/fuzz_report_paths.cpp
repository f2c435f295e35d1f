// The console programs' reports: rocplot's header-row detection, --report
// (exact AUC, Youden's threshold) and --compare on two score files, its
// command line, and kappatest's dialogue with --details on a matrix file and
// a weights file.  The input's first NUL byte ends the first file and starts
// the second; without one, the file is compared with itself.  The same input,
// cut at every NUL, is also a command line.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/strings.h"
#include "common/tokens.h"
#include "fuzz/fuzz_support.h"
#include "kappa/kappa_dialogue.h"
#include "roc/command_line.h"
#include "roc/exact_auc.h"
#include "roc/point_list.h"
#include "roc/report.h"
#include "roc/rocplot.h"
#include "roc/score_file.h"
#include "roc/sweep.h"

using fuzz::tolerant;

namespace {

// The command line rocplot would get from the input cut at every NUL byte;
// its level when it parses, else the default.
double commandLineLevel(std::string_view text) {
  std::vector<std::string> words(1, "rocplot");
  words.emplace_back();
  for (char c : text) {
    if (c == '\0') {
      words.emplace_back();
    } else {
      words.back() += c;
    }
  }
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  roc::Arguments args;
  if (!roc::parseArguments(static_cast<int>(argv.size()), argv.data(), args)) return 0.95;
  common::trimBlanks(args.compare);
  if (args.positional.size() > 1) roc::wantsPointList(args.positional[1]);
  return args.level;
}

// rocplot --report on one file, its header row found as the program finds it.
void report(std::string_view text, double level) {
  const bool header = common::firstLineIsText(text);
  roc::ClassScores scores;
  roc::ScoreFindings findings;
  const roc::ScoreHistogram h = roc::readScores(text, "a.txt", &scores, &findings, header);
  roc::scoreWarnings(findings);
  roc::RocRun run{roc::sweep(h), surface::Surface(1, 1), h.records(), h, findings, header};
  run.result.auc = roc::areaUnderCurve(run.result);
  roc::rocReport(run, scores, level);
  roc::exactAuc(scores, level);
}

// rocplot --compare on the two files.
void compare(std::string_view first, std::string_view second, double level) {
  const auto [a, b] =
      roc::pairedScores(first, "a.txt", second, "b.txt", common::firstLineIsText(first),
                        common::firstLineIsText(second));
  roc::comparisonReport(roc::compareAucs(a, b, level), level);
}

// kappatest --details with the first file as the matrix and the second as
// the weights; the last byte picks the rank (0 to 6), the level and the
// weights, so that no rank makes a matrix too large to fuzz.
void kappaDetails(const fuzz::TempFile& matrix, const fuzz::TempFile& weights, std::uint8_t pick) {
  static const char* const kLevels[] = {"", "0.5", "0.99", "-1"};
  std::string answers =
      matrix.path() + "\n" + std::to_string(pick % 7) + "\n" + kLevels[(pick >> 3) % 4] + "\n";
  if (pick & 0x20) {
    answers += "1\n" + std::to_string(1 + (pick >> 6) % 3) + "\n" + weights.path() + "\n";
  } else {
    answers += "0\n";
  }
  std::istringstream in(answers);
  std::ostringstream out, err;
  kappa::runKappatest(in, out, err, false, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = text.find('\0');
  const std::string_view first = text.substr(0, cut);
  const std::string_view second = cut == std::string_view::npos ? text : text.substr(cut + 1);
  const double level = commandLineLevel(text);
  tolerant([&] { report(first, level); });
  tolerant([&] { compare(first, second, level); });
  const fuzz::TempFile matrix(reinterpret_cast<const std::uint8_t*>(first.data()), first.size());
  const fuzz::TempFile weights(reinterpret_cast<const std::uint8_t*>(second.data()), second.size());
  tolerant([&] { kappaDetails(matrix, weights, size > 0 ? data[size - 1] : 0); });
  return 0;
}
