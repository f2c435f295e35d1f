#include "roc/bootstrap_report.h"

#include "roc/bootstrap.h"
#include "roc/compare_bootstrap.h"
#include "roc/curve_measures.h"
#include "roc/report.h"
#include "roc/weighted_scores.h"

namespace roc {
namespace {

// The quantities of one sample, in the order of their columns: the AUC,
// Youden's threshold, the sensitivities at --se-at, the specificities at
// --sp-at, then with --partial-fpr the partial AUC, raw and standardized.
struct Quantities {
  const Arguments& args;

  std::size_t width() const {
    return 2 + args.seAt.size() + args.spAt.size() + (args.partial ? 2 : 0);
  }

  bool needsCurve() const { return !args.seAt.empty() || !args.spAt.empty() || args.partial; }

  void of(const WeightedScores& s, Curve& curve, double* out) const {
    const CurveSummary summary = summarize(s, needsCurve() ? &curve : nullptr);
    *out++ = summary.auc;
    *out++ = summary.youdenThreshold;
    for (double specificity : args.seAt) *out++ = sensitivityAt(curve, specificity);
    for (double sensitivity : args.spAt) *out++ = specificityAt(curve, sensitivity);
    if (args.partial) {
      const double area = partialAuc(curve, args.partialFrom, args.partialTo);
      *out++ = area;
      *out++ = mcClishCorrected(area, args.partialFrom, args.partialTo);
    }
  }
};

void intervalLines(std::string& out, const std::string& name, const std::vector<double>& values,
                   std::size_t width, std::size_t column, double level) {
  const Interval i = percentileInterval(values, width, column, level);
  reportLine(out, name + "_boot_low", i.low);
  reportLine(out, name + "_boot_high", i.high);
}

}  // namespace

std::string bootstrapReport(const std::vector<double>& p, const std::vector<double>& q,
                            const Arguments& args, unsigned threads) {
  const WeightedScores sample = weightedScores(p, q);
  const Quantities quantities{args};
  const std::size_t width = quantities.width();
  std::vector<double> estimate(width);
  Curve curve;
  quantities.of(sample, curve, estimate.data());
  BootstrapPlan plan;
  plan.resamples = static_cast<std::size_t>(args.resamples());
  plan.seed = args.seed;
  plan.threads = threads;
  // Without both classes every resample is undefined: none is drawn.
  if (p.empty() || q.empty()) plan.resamples = 0;
  const std::vector<double> values = bootstrap(
      sample, width,
      [&](const WeightedScores& resample, double* out) {
        thread_local Curve buffer;
        quantities.of(resample, buffer, out);
      },
      plan);
  std::string out;
  out += "bootstrap_resamples\t" + std::to_string(args.resamples()) + "\n";
  out += "bootstrap_seed\t" + std::to_string(args.seed) + "\n";
  intervalLines(out, "exact_auc", values, width, 0, args.level);
  intervalLines(out, "youden_threshold", values, width, 1, args.level);
  std::size_t column = 2;
  for (double specificity : args.seAt) {
    const std::string name = "se_at_sp_" + reportNumber(specificity);
    reportLine(out, name, estimate[column]);
    intervalLines(out, name, values, width, column++, args.level);
  }
  for (double sensitivity : args.spAt) {
    const std::string name = "sp_at_se_" + reportNumber(sensitivity);
    reportLine(out, name, estimate[column]);
    intervalLines(out, name, values, width, column++, args.level);
  }
  if (args.partial) {
    reportLine(out, "partial_fpr_from", args.partialFrom);
    reportLine(out, "partial_fpr_to", args.partialTo);
    for (const char* name : {"partial_auc", "partial_auc_corrected"}) {
      reportLine(out, name, estimate[column]);
      intervalLines(out, name, values, width, column++, args.level);
    }
  }
  return out;
}

std::string bootstrapComparisonLines(const ClassScores& first, const ClassScores& second,
                                     const AucComparison& comparison, const Arguments& args,
                                     unsigned threads) {
  BootstrapPlan plan;
  plan.resamples = static_cast<std::size_t>(args.resamples());
  plan.seed = args.seed;
  plan.threads = threads;
  const BootstrapComparison c =
      bootstrapComparison(comparison.difference,
                          bootstrapAucDifferences(first, second, !args.unpaired, plan), args.level);
  std::string out;
  if (!args.wantsBootstrap()) {
    out += "bootstrap_resamples\t" + std::to_string(args.resamples()) + "\n";
    out += "bootstrap_seed\t" + std::to_string(args.seed) + "\n";
  }
  reportLine(out, "boot_difference_se", c.se);
  reportLine(out, "boot_difference_low", c.low);
  reportLine(out, "boot_difference_high", c.high);
  reportLine(out, "boot_z", c.z);
  reportLine(out, "boot_p", c.p);
  return out;
}

}  // namespace roc
