// The layout check of the window tests now lives in test_support/
// (layout_faults.h); this name stays only while tests still include it here.
#ifndef UI_LAYOUT_TESTING_H_
#define UI_LAYOUT_TESTING_H_

#include "test_support/layout_faults.h"

namespace ui::testing {
using support::layoutFaults;
}  // namespace ui::testing

#endif  // UI_LAYOUT_TESTING_H_
