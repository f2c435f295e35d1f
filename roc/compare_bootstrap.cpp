#include "roc/compare_bootstrap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "roc/weighted_scores.h"

namespace roc {
namespace {

// One classifier's sample as counts over its distinct scores, with the
// distinct score of each record in input order.
struct Indexed {
  WeightedScores sample;
  std::vector<std::uint32_t> positiveGroup, negativeGroup;
};

std::vector<std::uint32_t> groupsInInputOrder(const std::vector<double>& scores,
                                              const std::vector<double>& distinct) {
  std::vector<std::uint32_t> out(scores.size());
  for (std::size_t i = 0; i < scores.size(); ++i) {
    out[i] = static_cast<std::uint32_t>(
        std::lower_bound(distinct.begin(), distinct.end(), scores[i]) - distinct.begin());
  }
  return out;
}

Indexed indexed(const ClassScores& s) {
  Indexed out;
  out.sample = weightedScores(sortedScores(s.positives), sortedScores(s.negatives));
  out.positiveGroup = groupsInInputOrder(s.positives, out.sample.value);
  out.negativeGroup = groupsInInputOrder(s.negatives, out.sample.value);
  return out;
}

// Adds the record counts "draws" (input order) to "resample"'s counts over
// distinct scores, through "group".
void addDraws(const std::vector<std::uint32_t>& draws, const std::vector<std::uint32_t>& group,
              std::vector<std::uint32_t>& counts) {
  for (std::size_t i = 0; i < draws.size(); ++i) counts[group[i]] += draws[i];
}

// Each worker's buffers, kept across its resamples.
struct Buffers {
  WeightedScores first, second;
  std::vector<std::uint32_t> positives, negatives;
};

// Draws the record counts of one class of draws.size() records, from the
// generator of resample "r" and "stream", into "draws".
void drawClass(std::uint64_t seed, std::size_t r, std::uint32_t stream,
               std::vector<std::uint32_t>& draws) {
  std::fill(draws.begin(), draws.end(), 0u);
  ResampleRandom random(seed, r, stream);
  drawCounts(random, draws.size(), nullptr, draws.data());
}

void clearCounts(WeightedScores& s) {
  std::fill(s.positives.begin(), s.positives.end(), 0u);
  std::fill(s.negatives.begin(), s.negatives.end(), 0u);
}

}  // namespace

std::vector<double> bootstrapAucDifferences(const ClassScores& first, const ClassScores& second,
                                            bool paired, const BootstrapPlan& plan) {
  const Indexed a = indexed(first), b = indexed(second);
  std::vector<Buffers> pool(workerCount(plan.threads), Buffers{a.sample, b.sample, {}, {}});
  std::vector<double> differences(plan.resamples);
  forEachResample(plan.resamples, plan.threads, [&](std::size_t r, unsigned worker) {
    Buffers& buffers = pool[worker];
    clearCounts(buffers.first);
    clearCounts(buffers.second);
    const Indexed* samples[] = {&a, &b};
    WeightedScores* resamples[] = {&buffers.first, &buffers.second};
    for (int k = 0; k < 2; ++k) {
      const Indexed& s = *samples[k];
      // Paired, the second classifier takes the first's draws as they are.
      if (k == 0 || !paired) {
        const auto stream = static_cast<std::uint32_t>(2 * k);
        buffers.positives.resize(s.positiveGroup.size());
        buffers.negatives.resize(s.negativeGroup.size());
        drawClass(plan.seed, r, stream, buffers.positives);
        drawClass(plan.seed, r, stream + 1, buffers.negatives);
      }
      addDraws(buffers.positives, s.positiveGroup, resamples[k]->positives);
      addDraws(buffers.negatives, s.negativeGroup, resamples[k]->negatives);
    }
    differences[r] = summarize(buffers.first).auc - summarize(buffers.second).auc;
  });
  return differences;
}

BootstrapComparison bootstrapComparison(double difference, const std::vector<double>& differences,
                                        double level) {
  BootstrapComparison c;
  double sum = 0, n = 0;
  for (double d : differences) {
    if (!std::isnan(d)) sum += d, ++n;
  }
  const double mean = sum / n;
  double squares = 0;
  for (double d : differences) {
    if (!std::isnan(d)) squares += (d - mean) * (d - mean);
  }
  // Undefined with fewer than two resamples that give a difference.
  c.se = n < 2 ? std::numeric_limits<double>::quiet_NaN() : std::sqrt(squares / (n - 1));
  c.z = difference / c.se;
  c.p = std::erfc(std::fabs(c.z) / std::sqrt(2.0));
  const Interval i = percentileInterval(differences, 1, 0, level);
  c.low = i.low;
  c.high = i.high;
  return c;
}

}  // namespace roc
