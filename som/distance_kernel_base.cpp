// The kernel for every x86-64 processor (SSE2).
#include "som/distance_kernel.h"
#define DISTANCE_KERNEL_NAMESPACE kernel_base
#include "som/internal_distance_kernel.h"

namespace som {

namespace kernel_avx2 {
void blockDots(const float* objects, const float* units, int nVars, float dots[kObjects][kUnits]);
}  // namespace kernel_avx2

BlockDotsFn blockDotsKernel() {
  static const BlockDotsFn chosen =
      __builtin_cpu_supports("avx2") ? &kernel_avx2::blockDots : &kernel_base::blockDots;
  return chosen;
}

}  // namespace som
