// The blocked dot products of the best-unit search, included by one source
// file per instruction set (each defines DISTANCE_KERNEL_NAMESPACE first).
// Each of the kObjects x kUnits sums takes its terms in variable order in a
// lane of its own, so the compiler vectorizes across units without
// reordering any sum.
#include <cstddef>

namespace som::DISTANCE_KERNEL_NAMESPACE {

// dots[o][u] = sum over v of objects[o * nVars + v] * units[v * kUnits + u].
void blockDots(const float* objects, const float* units, int nVars, float dots[kObjects][kUnits]) {
  float acc[kObjects][kUnits] = {};
  for (int v = 0; v < nVars; ++v) {
    const float* w = units + static_cast<std::size_t>(v) * kUnits;
    for (int o = 0; o < kObjects; ++o) {
      const float x = objects[static_cast<std::size_t>(o) * nVars + v];
      for (int u = 0; u < kUnits; ++u) acc[o][u] = acc[o][u] + x * w[u];
    }
  }
  for (int o = 0; o < kObjects; ++o) {
    for (int u = 0; u < kUnits; ++u) dots[o][u] = acc[o][u];
  }
}

}  // namespace som::DISTANCE_KERNEL_NAMESPACE
