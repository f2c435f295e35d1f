// The kernel for every x86-64 processor (SSE2).
#include "som/distance_kernel.h"
#define DISTANCE_KERNEL_NAMESPACE kernel_base
#include "som/internal_distance_kernel.h"

namespace som {

namespace kernel_avx2 {
void blockEstimates(const float* objects, const float* units, int nVars, const float* objectNorms,
                    const float* unitNorms, float* estimates, std::size_t stride,
                    float first[kObjects][kUnits], float second[kObjects][kUnits],
                    float* blockSmallest, std::size_t blockStride);
}  // namespace kernel_avx2

BlockEstimatesFn blockEstimatesKernel() {
  static const BlockEstimatesFn chosen =
      __builtin_cpu_supports("avx2") ? &kernel_avx2::blockEstimates : &kernel_base::blockEstimates;
  return chosen;
}

}  // namespace som
