// addWeightedRows for every x86-64 processor.
#define ROWS_KERNEL_NAMESPACE rows_base
#include "ebp/internal_rows_kernel.h"
