// The dot products of a block of objects with a block of units, the inner
// loop of the best-unit search, in the widest vectors the processor has.
#ifndef SOM_DISTANCE_KERNEL_H_
#define SOM_DISTANCE_KERNEL_H_

namespace som {

inline constexpr int kObjects = 4;  // objects in a block
inline constexpr int kUnits = 16;   // units in a block

// dots[o][u] = sum over v (in order) of objects[o * nVars + v] *
// units[v * kUnits + u]: "objects" holds kObjects rows of nVars values,
// "units" a block of kUnits weight vectors stored variable by variable.
using BlockDotsFn = void (*)(const float* objects, const float* units, int nVars,
                             float dots[kObjects][kUnits]);

// The kernel for this processor (AVX2 where it has it); every kernel gives
// the same bits.
BlockDotsFn blockDotsKernel();

}  // namespace som

#endif  // SOM_DISTANCE_KERNEL_H_
