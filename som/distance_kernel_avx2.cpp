// The kernel for processors with AVX2 (eight lanes a vector; no fused
// multiply-add, so the bits are those of the base kernel).
#include "som/distance_kernel.h"
#define DISTANCE_KERNEL_NAMESPACE kernel_avx2
#include "som/internal_distance_kernel.h"
