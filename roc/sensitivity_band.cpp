#include "roc/sensitivity_band.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "roc/curve_measures.h"
#include "roc/weighted_scores.h"

namespace roc {

std::vector<double> bandSpecificities(std::size_t count) {
  std::vector<double> out(count);
  const double last = static_cast<double>(count - 1);
  for (std::size_t k = 0; k < count; ++k) out[k] = static_cast<double>(count - 1 - k) / last;
  return out;
}

std::vector<BandPoint> sensitivityBand(const std::vector<double>& positives,
                                       const std::vector<double>& negatives,
                                       const std::vector<double>& specificities, double level,
                                       const BootstrapPlan& plan) {
  const std::size_t width = specificities.size();
  BootstrapPlan draws = plan;
  // Without both classes no resample has a curve: none is drawn.
  if (positives.empty() || negatives.empty()) draws.resamples = 0;
  // The specificities in decreasing order, so that each resample's curve is
  // read in one walk from FPR 0 up.
  std::vector<std::size_t> order(width);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return specificities[a] > specificities[b];
  });
  std::vector<double> sorted(width);
  for (std::size_t k = 0; k < width; ++k) sorted[k] = specificities[order[k]];
  const std::vector<double> values = bootstrap(
      weightedScores(positives, negatives), width,
      [&](const WeightedScores& resample, double* out) {
        thread_local Curve curve;
        thread_local std::vector<double> read;
        summarize(resample, &curve);
        read.resize(width);
        sensitivitiesAt(curve, sorted, read.data());
        for (std::size_t k = 0; k < width; ++k) out[order[k]] = read[k];
      },
      draws);
  std::vector<BandPoint> band(width);
  for (std::size_t k = 0; k < width; ++k) {
    const Interval interval = percentileInterval(values, width, k, level);
    band[k] = {specificities[k], interval.low, percentileInterval(values, width, k, 0).low,
               interval.high};
  }
  return band;
}

}  // namespace roc
