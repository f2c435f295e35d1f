// The distance estimates of a block of objects to a block of units, the
// inner loop of the best-unit search, in the widest vectors the processor has.
#ifndef SOM_DISTANCE_KERNEL_H_
#define SOM_DISTANCE_KERNEL_H_

#include <cstddef>

namespace som {

inline constexpr int kObjects = 4;  // objects in a block
inline constexpr int kUnits = 16;   // units in a block

// For a block of kObjects objects and one of kUnits units: estimates[o *
// stride + u] = objectNorms[o] - 2 dot(o, u) + unitNorms[u], the dot product
// summed in variable order; first[o][u] and second[o][u] keep the two
// smallest estimates seen by that lane over the blocks, and
// blockSmallest[o * blockStride] the smallest estimate of the block.  "objects" holds
// kObjects rows of nVars values, "units" the block's weight vectors stored
// variable by variable (units[v * kUnits + u]).
using BlockEstimatesFn = void (*)(const float* objects, const float* units, int nVars,
                                  const float* objectNorms, const float* unitNorms,
                                  float* estimates, std::size_t stride,
                                  float first[kObjects][kUnits], float second[kObjects][kUnits],
                                  float* blockSmallest, std::size_t blockStride);

// The kernel for this processor (AVX2 where it has it); every kernel gives
// the same bits.
BlockEstimatesFn blockEstimatesKernel();

}  // namespace som

#endif  // SOM_DISTANCE_KERNEL_H_
