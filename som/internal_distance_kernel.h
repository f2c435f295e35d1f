// The blocked distance estimates of the best-unit search, included by one source
// file per instruction set (each defines DISTANCE_KERNEL_NAMESPACE first).
// Each of the kObjects x kUnits sums takes its terms in variable order in a
// lane of its own, so the compiler vectorizes across units without
// reordering any sum.
#include <cstddef>
#include <limits>

namespace som::DISTANCE_KERNEL_NAMESPACE {

// The dot products written out for the four objects of the block, so that
// each sum is a lane; then the estimates and the two smallest of each lane.
void blockEstimates(const float* objects, const float* units, int nVars, const float* objectNorms,
                    const float* unitNorms, float* estimates, std::size_t stride,
                    float first[kObjects][kUnits], float second[kObjects][kUnits],
                    float* blockSmallest, std::size_t blockStride) {
  static_assert(kObjects == 4);
  float a0[kUnits] = {}, a1[kUnits] = {}, a2[kUnits] = {}, a3[kUnits] = {};
  const float* x0 = objects;
  const float* x1 = objects + nVars;
  const float* x2 = objects + 2 * static_cast<std::size_t>(nVars);
  const float* x3 = objects + 3 * static_cast<std::size_t>(nVars);
  for (int v = 0; v < nVars; ++v) {
    const float* w = units + static_cast<std::size_t>(v) * kUnits;
    const float b0 = x0[v], b1 = x1[v], b2 = x2[v], b3 = x3[v];
    for (int u = 0; u < kUnits; ++u) {
      a0[u] = a0[u] + b0 * w[u];
      a1[u] = a1[u] + b1 * w[u];
      a2[u] = a2[u] + b2 * w[u];
      a3[u] = a3[u] + b3 * w[u];
    }
  }
  float* acc[kObjects] = {a0, a1, a2, a3};
  for (int o = 0; o < kObjects; ++o) {
    float* estimate = estimates + o * stride;
    float smallest = std::numeric_limits<float>::infinity();
    for (int u = 0; u < kUnits; ++u) {
      const float e = objectNorms[o] - 2 * acc[o][u] + unitNorms[u];
      estimate[u] = e;
      const float larger = first[o][u] < e ? e : first[o][u];
      second[o][u] = larger < second[o][u] ? larger : second[o][u];
      first[o][u] = e < first[o][u] ? e : first[o][u];
      smallest = e < smallest ? e : smallest;
    }
    blockSmallest[o * blockStride] = smallest;
  }
}

}  // namespace som::DISTANCE_KERNEL_NAMESPACE
