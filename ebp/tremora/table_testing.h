// For the tests of Tremora's pages and plot: a results table made in place.
#ifndef EBP_TREMORA_TABLE_TESTING_H_
#define EBP_TREMORA_TABLE_TESTING_H_

#include <utility>
#include <vector>

#include "ebp/tremora/sensitivity_results.h"

namespace tremora::testing {

// A table of these levels and relative changes ([level][input]), its range
// measured.
inline SensitivityTable tableOf(std::vector<float> levels, std::vector<std::vector<float>> change,
                                float e0 = 0.0123f) {
  SensitivityTable t;
  t.e0 = e0;
  t.levels = std::move(levels);
  t.change = std::move(change);
  measureRange(t);
  return t;
}

}  // namespace tremora::testing

#endif  // EBP_TREMORA_TABLE_TESTING_H_
