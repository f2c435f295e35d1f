// Grids for the drawing routines' tests.
#ifndef MAP_DRAW_TEST_GRIDS_H_
#define MAP_DRAW_TEST_GRIDS_H_

#include "map/draw/som_grid.h"

namespace map::draw::testing {

// A map of rows x cols units with vars weights each, all 0.
inline SomGrid gridOf(int rows, int cols, int vars) {
  SomGrid g;
  g.nRows = rows;
  g.nCols = cols;
  g.nVars = vars;
  g.weights = common::Grid3<float>({1, cols}, {1, rows}, {1, vars});
  return g;
}

}  // namespace map::draw::testing

#endif  // MAP_DRAW_TEST_GRIDS_H_
