#include "som/batch_training.h"

#include <algorithm>
#include <cmath>

namespace som {

double epochRadius(const TrainingSettings& settings, int epoch) {
  if (settings.epochs <= 1) return settings.radiusStart;
  return settings.radiusStart +
         (settings.radiusEnd - settings.radiusStart) * (epoch - 1) / (settings.epochs - 1);
}

double neighbourhoodWeight(int steps, double radius) {
  const double d = steps;
  return std::exp(-(d * d) / (2 * radius * radius));
}

std::vector<double> batchUpdate(const std::vector<double>& values, int nVars,
                                const std::vector<int>& best, const LatticeDistance& lattice,
                                double radius, const std::vector<double>& codebook) {
  const int units = lattice.units();
  std::vector<double> sums(static_cast<std::size_t>(units) * nVars, 0);
  std::vector<double> counts(units, 0);
  for (std::size_t i = 0; i < best.size(); ++i) {
    double* sum = &sums[static_cast<std::size_t>(best[i]) * nVars];
    for (int v = 0; v < nVars; ++v) sum[v] += values[i * nVars + v];
    counts[best[i]] += 1;
  }
  std::vector<int> hit;  // the units that are some object's best
  for (int u = 0; u < units; ++u) {
    if (counts[u] > 0) hit.push_back(u);
  }
  std::vector<double> weightOf(lattice.diameter() + 1);
  for (int s = 0; s <= lattice.diameter(); ++s) weightOf[s] = neighbourhoodWeight(s, radius);
  std::vector<double> next(codebook);
  std::vector<double> numerator(nVars);
  for (int j = 0; j < units; ++j) {
    std::fill(numerator.begin(), numerator.end(), 0);
    double denominator = 0;
    for (int u : hit) {
      const double h = weightOf[lattice.steps(j, u)];
      const double* sum = &sums[static_cast<std::size_t>(u) * nVars];
      for (int v = 0; v < nVars; ++v) numerator[v] += h * sum[v];
      denominator += h * counts[u];
    }
    if (!(denominator > 0)) continue;
    for (int v = 0; v < nVars; ++v) {
      next[static_cast<std::size_t>(j) * nVars + v] = numerator[v] / denominator;
    }
  }
  return next;
}

EpochQuality measureQuality(const BestUnits& best, const LatticeDistance& lattice) {
  EpochQuality q;
  const std::size_t n = best.first.size();
  double distances = 0;
  std::size_t apart = 0;
  for (std::size_t i = 0; i < n; ++i) {
    distances += std::sqrt(best.error[i]);
    if (best.second[i] >= 0 && lattice.steps(best.first[i], best.second[i]) != 1) ++apart;
  }
  q.quantizationError = distances / static_cast<double>(n);
  q.topographicError = static_cast<double>(apart) / static_cast<double>(n);
  return q;
}

TrainedMap trainBatch(
    const std::vector<double>& values, int nVars, const LatticeDistance& lattice,
    std::vector<double> codebook, const TrainingSettings& settings,
    const std::function<void(const EpochQuality&, const std::vector<double>&)>& afterEpoch) {
  const BestUnitSearch search(values, nVars, settings.threads);
  TrainedMap trained;
  trained.best = search.search(codebook);
  for (int epoch = 1; epoch <= settings.epochs; ++epoch) {
    const double radius = epochRadius(settings, epoch);
    codebook = batchUpdate(values, nVars, trained.best.first, lattice, radius, codebook);
    trained.best = search.search(codebook);
    EpochQuality q = measureQuality(trained.best, lattice);
    q.epoch = epoch;
    q.radius = radius;
    trained.history.push_back(q);
    if (afterEpoch) afterEpoch(q, codebook);
  }
  trained.codebook = std::move(codebook);
  return trained;
}

}  // namespace som
