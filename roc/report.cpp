#include "roc/report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

#include "common/mapped_file.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "common/tokens.h"
#include "roc/bootstrap_report.h"
#include "roc/roc_table.h"
#include "roc/score_file.h"
#include "roc/side_by_side.h"

namespace roc {
namespace {

// The shortest text that reads back to "v" in its own precision: a rate
// the sweep counted in single precision prints 0.2, not 0.200000002980232.
template <typename Number>
std::string number(Number v) {
  if (std::isnan(v)) return "nan";
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, end);
}

// A threshold of the sweep: a hundredth accumulated in double precision
// (0.35000000000000003), printed as the hundredth it stands for; no single
// score lies between the two.
std::string hundredth(double t) { return number(std::round(t * 100) / 100); }

void line(std::string& out, const char* name, const std::string& value) {
  out += name;
  out += '\t';
  out += value;
  out += '\n';
}

void line(std::string& out, const char* name, double value) { line(out, name, number(value)); }

void line(std::string& out, const char* name, float value) { line(out, name, number(value)); }

}  // namespace

void reportLine(std::string& out, const std::string& name, double value) {
  line(out, name.c_str(), number(value));
}

std::string reportNumber(double value) { return number(value); }

namespace {

void aucLines(std::string& out, const char* prefix, const AucEstimate& e) {
  const std::string p(prefix);
  line(out, (p + "auc").c_str(), e.auc);
  line(out, (p + "auc_se").c_str(), e.se);
  line(out, (p + "auc_low").c_str(), e.low);
  line(out, (p + "auc_high").c_str(), e.high);
}

}  // namespace

Youden bestYouden(const ClassScores& scores) {
  return bestYoudenOfSorted(sortedScores(scores.positives), sortedScores(scores.negatives));
}

Youden bestYoudenOfSorted(const std::vector<double>& p, const std::vector<double>& q) {
  Youden best;
  const double m = static_cast<double>(p.size());
  const double n = static_cast<double>(q.size());
  if (m == 0 || n == 0) {
    best.threshold = best.midpoint = best.tpr = best.fpr = best.j =
        std::numeric_limits<double>::quiet_NaN();
    return best;
  }
  // Down both sorted lists at once, taking each distinct score in turn as
  // the lowest one classed positive; the threshold is the score below it.
  std::size_t i = p.size(), k = q.size();  // records from these indexes on are taken
  best.j = -std::numeric_limits<double>::infinity();
  while (i > 0 || k > 0) {
    const double lowestTaken = i == 0 ? q[k - 1] : k == 0 ? p[i - 1] : std::max(p[i - 1], q[k - 1]);
    while (i > 0 && p[i - 1] == lowestTaken) --i;
    while (k > 0 && q[k - 1] == lowestTaken) --k;
    const double tpr = static_cast<double>(p.size() - i) / m;
    const double fpr = static_cast<double>(q.size() - k) / n;
    if (tpr - fpr <= best.j) continue;
    const double below = i == 0 && k == 0 ? -std::numeric_limits<double>::infinity()
                         : i == 0         ? q[k - 1]
                         : k == 0         ? p[i - 1]
                                          : std::max(p[i - 1], q[k - 1]);
    // Between two neighbouring doubles the midpoint rounds to one of them:
    // then the score below is the threshold that gives these rates.
    double midpoint = std::isinf(below) ? below : std::midpoint(below, lowestTaken);
    if (!(midpoint < lowestTaken)) midpoint = below;
    best = {below, midpoint, tpr, fpr, tpr - fpr};
  }
  return best;
}

std::string rocReport(const RocRun& run, const ClassScores& scores, double level) {
  std::string out;
  line(out, "records", std::to_string(run.records));
  line(out, "positives", std::to_string(scores.positives.size()));
  line(out, "negatives", std::to_string(scores.negatives.size()));
  line(out, "other_classes", std::to_string(scores.otherClasses));
  line(out, "scores_not_numbers", std::to_string(scores.notNumbers));
  const RocResult& r = run.result;
  const std::vector<double>& thresholds = sweepThresholds();
  line(out, "auc_100_thresholds", r.auc);
  const bool best = r.dmax >= 0;  // some threshold gave a distance
  const auto k = static_cast<std::size_t>(r.kbest);
  line(out, "best_threshold", best ? hundredth(thresholds[k]) : "nan");
  line(out, "best_fpr", best ? r.fpr[k] : std::nanf(""));
  line(out, "best_tpr", best ? r.tpr[k] : std::nanf(""));
  line(out, "best_distance", best ? r.dmax : std::nan(""));
  line(out, "best_mcc", best ? r.matthews : std::nan(""));
  line(out, "best_tp", std::to_string(r.best.tp));
  line(out, "best_fp", std::to_string(r.best.fp));
  line(out, "best_fn", std::to_string(r.best.fn));
  line(out, "best_tn", std::to_string(r.best.tn));
  std::string ties;
  for (std::size_t i = 0; best && i < thresholds.size(); ++i) {
    const double d =
        std::fabs(static_cast<double>(r.tpr[i]) - static_cast<double>(r.fpr[i])) / kSqrt2;
    if (i != k && d == r.dmax) ties += (ties.empty() ? "" : ",") + hundredth(thresholds[i]);
  }
  line(out, "best_ties", ties.empty() ? "none" : ties);
  line(out, "level", level);
  // Sorted once for the exact AUC and for Youden's threshold, the two classes
  // at once.
  std::vector<double> p, q;
  sideBySide([&] { q = sortedScores(scores.negatives); },
             [&] { p = sortedScores(scores.positives); });
  aucLines(out, "exact_", exactAucOfSorted(p, q, level));
  const Youden y = bestYoudenOfSorted(p, q);
  line(out, "youden_threshold", y.threshold);
  line(out, "youden_midpoint", y.midpoint);
  line(out, "youden_tpr", y.tpr);
  line(out, "youden_fpr", y.fpr);
  line(out, "youden_j", y.j);
  return out;
}

std::string comparisonReport(const AucComparison& c, double level, bool withLevel) {
  std::string out;
  if (withLevel) line(out, "level", level);
  aucLines(out, "first_", c.first);
  aucLines(out, "second_", c.second);
  line(out, "difference", c.difference);
  line(out, "difference_se", c.se);
  line(out, "difference_low", c.low);
  line(out, "difference_high", c.high);
  line(out, "z", c.z);
  line(out, "p", c.p);
  return out;
}

bool checkHeader(std::string_view text, const std::string& fileName, bool headerAsked) {
  if (headerAsked) {
    if (firstLineIsNumbers(text)) {
      common::warn("rocplot", fileName,
                   "line 1 holds numbers only, yet --header leaves it out as column names: one "
                   "record fewer");
    }
    return true;
  }
  if (!common::firstLineIsText(text)) return false;
  common::warn("rocplot", fileName,
               "line 1 is not numbers: read as a row of column names and left out "
               "(--header says so without this warning)");
  return true;
}

std::string scoreReport(const Arguments& args, const RocRun& run, const ClassScores& scores) {
  std::string lines;
  if (args.report) lines += rocReport(run, scores, args.level);
  if (args.wantsBootstrap()) {
    if (!args.report) reportLine(lines, "level", args.level);
    std::vector<double> p, q;
    sideBySide([&] { q = sortedScores(scores.negatives); },
               [&] { p = sortedScores(scores.positives); });
    lines += bootstrapReport(p, q, args);
  }
  return lines;
}

void writeNumbers(const Arguments& args, const RocRun& run, const ClassScores& scores,
                  std::string_view text, const std::string& input) {
  if (!args.table.empty()) rocTable(run.histogram, run.result).save(args.table);
  std::fputs(scoreReport(args, run, scores).c_str(), stdout);
  if (!args.compare.empty()) {
    const std::string other(common::trimBlanks(args.compare));
    common::MappedFile otherFile(other);
    const std::string_view otherText = withoutByteOrderMark(otherFile.text());
    const bool otherHeader = checkHeader(otherText, other, args.header);
    const auto [first, second] =
        args.unpaired
            ? unpairedScores(text, input, otherText, other, run.skippedHeader, otherHeader)
            : pairedScores(text, input, otherText, other, run.skippedHeader, otherHeader);
    const AucComparison comparison = args.unpaired ? compareUnpairedAucs(first, second, args.level)
                                                   : compareAucs(first, second, args.level);
    // After --report or the bootstrap lines, which already name the level.
    const bool levelNamed = args.report || args.wantsBootstrap();
    std::string lines = comparisonReport(comparison, args.level, !levelNamed);
    if (args.bootstrapMethod) lines += bootstrapComparisonLines(first, second, comparison, args);
    std::fputs(lines.c_str(), stdout);
  }
}

}  // namespace roc
