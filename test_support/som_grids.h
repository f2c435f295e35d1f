// Maps for the renderer's drawing tests (link toolkit::test_support_map).
#ifndef TEST_SUPPORT_SOM_GRIDS_H_
#define TEST_SUPPORT_SOM_GRIDS_H_

#include "map/draw/som_grid.h"

namespace support {

// A map of rows x cols units with vars weights each, all 0.
inline map::draw::SomGrid gridOf(int rows, int cols, int vars) {
  map::draw::SomGrid g;
  g.nRows = rows;
  g.nCols = cols;
  g.nVars = vars;
  g.weights = common::Grid3<float>({1, cols}, {1, rows}, {1, vars});
  return g;
}

}  // namespace support

#endif  // TEST_SUPPORT_SOM_GRIDS_H_
