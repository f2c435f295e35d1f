// For the tests of Tremora's pages and plot: a results table made in place.
#ifndef TEST_SUPPORT_SENSITIVITY_TABLE_H_
#define TEST_SUPPORT_SENSITIVITY_TABLE_H_

#include <utility>
#include <vector>

#include "ebp/tremora/sensitivity_results.h"

namespace support {

// A table of these levels and relative changes ([level][input]), its range
// measured.
inline tremora::SensitivityTable sensitivityTable(std::vector<float> levels,
                                                  std::vector<std::vector<float>> change,
                                                  float e0 = 0.0123f) {
  tremora::SensitivityTable t;
  t.e0 = e0;
  t.levels = std::move(levels);
  t.change = std::move(change);
  tremora::measureRange(t);
  return t;
}

}  // namespace support

#endif  // TEST_SUPPORT_SENSITIVITY_TABLE_H_
