#include "som/best_units.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

#include "som/distance_kernel.h"

namespace som {

double squaredDistance(const double* x, const double* w, int nVars) {
  double sum = 0;
  for (int v = 0; v < nVars; ++v) {
    const double d = x[v] - w[v];
    sum += d * d;
  }
  return sum;
}

namespace {

// A bound on the error of the single-precision estimate, relative to
// ||x||^2 + ||w||^2: rounding the shifted values to single, the dot product
// and the two norms, each at most (nVars + 2) roundings of 2^-24, with a
// wide margin.
double relativeErrorBound(int nVars) { return (nVars + 8) * 4.0 * std::ldexp(1.0, -24); }

// The units of "codebook", less "shift", in single precision, stored in
// blocks of kUnits units variable by variable; the units of the last block
// beyond the map are zeros.
std::vector<float> packUnits(const std::vector<double>& codebook, const std::vector<double>& shift,
                             int nVars, std::vector<float>& norms) {
  const std::size_t units = codebook.size() / nVars;
  const std::size_t blocks = (units + kUnits - 1) / kUnits;
  std::vector<float> packed(blocks * kUnits * nVars, 0.0f);
  norms.assign(blocks * kUnits, std::numeric_limits<float>::infinity());
  for (std::size_t u = 0; u < units; ++u) {
    float* block = &packed[(u / kUnits) * kUnits * nVars];
    float norm = 0;
    for (int v = 0; v < nVars; ++v) {
      const float w = static_cast<float>(codebook[u * nVars + v] - shift[v]);
      block[static_cast<std::size_t>(v) * kUnits + u % kUnits] = w;
      norm = norm + w * w;
    }
    norms[u] = norm;
  }
  return packed;
}

// Keeps the two smallest values seen.
struct TwoSmallest {
  float first = std::numeric_limits<float>::infinity();
  float second = std::numeric_limits<float>::infinity();
  void add(float value) {
    if (value < first) {
      second = first;
      first = value;
    } else if (value < second) {
      second = value;
    }
  }
};

}  // namespace

BestUnitSearch::BestUnitSearch(const std::vector<double>& values, int nVars, int threads)
    : values_(values), nVars_(nVars), threads_(std::max(threads, 1)), shift_(nVars, 0) {
  const std::size_t n = values.size() / nVars;
  for (std::size_t i = 0; i < n; ++i) {
    for (int v = 0; v < nVars; ++v) shift_[v] += values[i * nVars + v];
  }
  for (double& s : shift_) s /= static_cast<double>(n);
  // Rows up to a whole block of objects, the padding zeros.
  const std::size_t padded = (n + kObjects - 1) / kObjects * kObjects;
  shifted_.assign(padded * nVars, 0.0f);
  objectNorms_.assign(padded, 0.0f);
  for (std::size_t i = 0; i < n; ++i) {
    float norm = 0;
    for (int v = 0; v < nVars; ++v) {
      const float x = static_cast<float>(values[i * nVars + v] - shift_[v]);
      shifted_[i * nVars + v] = x;
      norm = norm + x * x;
    }
    objectNorms_[i] = norm;
  }
}

BestUnits BestUnitSearch::search(const std::vector<double>& codebook) const {
  std::vector<float> unitNorms;
  const std::vector<float> packed = packUnits(codebook, shift_, nVars_, unitNorms);
  const std::size_t n = values_.size() / nVars_;
  BestUnits out;
  out.first.resize(n);
  out.second.resize(n);
  out.error.resize(n);
  // Parts of whole blocks of objects, the first threads taking one block more.
  const std::size_t blocks = (n + kObjects - 1) / kObjects;
  const std::size_t threads = std::min<std::size_t>(threads_, std::max<std::size_t>(blocks, 1));
  std::vector<std::thread> workers;
  std::size_t begin = 0;
  for (std::size_t t = 0; t < threads; ++t) {
    const std::size_t share = blocks / threads + (t < blocks % threads ? 1 : 0);
    const std::size_t end = std::min(n, begin + share * kObjects);
    if (t + 1 == threads) {
      searchObjects(begin, end, packed, unitNorms, codebook, out);
    } else {
      workers.emplace_back([this, begin, end, &packed, &unitNorms, &codebook, &out] {
        searchObjects(begin, end, packed, unitNorms, codebook, out);
      });
    }
    begin = end;
  }
  for (std::thread& worker : workers) worker.join();
  return out;
}

void BestUnitSearch::searchObjects(std::size_t begin, std::size_t end,
                                   const std::vector<float>& packed,
                                   const std::vector<float>& unitNorms,
                                   const std::vector<double>& codebook, BestUnits& out) const {
  const BlockEstimatesFn kernel = blockEstimatesKernel();
  const std::size_t units = codebook.size() / nVars_;
  const std::size_t unitBlocks = unitNorms.size() / kUnits;
  float largestUnitNorm = 0;
  for (std::size_t u = 0; u < units; ++u) largestUnitNorm = std::max(largestUnitNorm, unitNorms[u]);
  const double bound = relativeErrorBound(nVars_);
  std::vector<float> estimates(kObjects * unitNorms.size());
  std::vector<float> blockSmallest(kObjects * unitBlocks);
  std::vector<std::pair<double, int>> candidates;
  for (std::size_t block = begin; block < end; block += kObjects) {
    const float* objects = &shifted_[block * nVars_];
    // Per object and lane, the two smallest estimates so far.
    float first[kObjects][kUnits], second[kObjects][kUnits];
    std::fill_n(&first[0][0], kObjects * kUnits, std::numeric_limits<float>::infinity());
    std::fill_n(&second[0][0], kObjects * kUnits, std::numeric_limits<float>::infinity());
    for (std::size_t ub = 0; ub < unitBlocks; ++ub) {
      kernel(objects, &packed[ub * kUnits * nVars_], nVars_, &objectNorms_[block],
             &unitNorms[ub * kUnits], &estimates[ub * kUnits], unitNorms.size(), first, second,
             &blockSmallest[ub], unitBlocks);
    }
    for (std::size_t i = block; i < std::min(end, block + kObjects); ++i) {
      const int o = static_cast<int>(i - block);
      const float* estimate = &estimates[o * unitNorms.size()];
      TwoSmallest smallest;
      for (int u = 0; u < kUnits; ++u) {
        smallest.add(first[o][u]);
        smallest.add(second[o][u]);
      }
      const double tolerance = bound * (static_cast<double>(objectNorms_[i]) + largestUnitNorm);
      const double limit = (units > 1 ? smallest.second : smallest.first) + 2 * tolerance;
      candidates.clear();
      const double* x = &values_[i * nVars_];
      for (std::size_t ub = 0; ub < unitBlocks; ++ub) {
        if (!(blockSmallest[o * unitBlocks + ub] <= limit)) continue;
        for (std::size_t u = ub * kUnits; u < std::min(units, (ub + 1) * kUnits); ++u) {
          if (estimate[u] <= limit) {
            candidates.emplace_back(squaredDistance(x, &codebook[u * nVars_], nVars_),
                                    static_cast<int>(u));
          }
        }
      }
      if (candidates.empty()) {  // estimates beyond single precision: measure every unit
        for (std::size_t u = 0; u < units; ++u) {
          candidates.emplace_back(squaredDistance(x, &codebook[u * nVars_], nVars_),
                                  static_cast<int>(u));
        }
      }
      // The two smallest by (distance, unit).
      std::partial_sort(candidates.begin(),
                        candidates.begin() + std::min<std::size_t>(2, candidates.size()),
                        candidates.end());
      out.first[i] = candidates[0].second;
      out.error[i] = candidates[0].first;
      out.second[i] = candidates.size() > 1 ? candidates[1].second : -1;
    }
  }
}

}  // namespace som
