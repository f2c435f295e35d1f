// addWeightedRows for processors with AVX2 (four lanes a vector; no fused
// multiply-add, so the bits are those of the base kernel).
#define ROWS_KERNEL_NAMESPACE rows_avx2
#include "ebp/internal_rows_kernel.h"
