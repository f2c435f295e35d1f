// The map shared by the drawing routines: its bounds, its weights and the
// largest neighbour dissimilarity the side widths are scaled to.
#ifndef MAP_DRAW_SOM_GRID_H_
#define MAP_DRAW_SOM_GRID_H_

#include "common/grid.h"

namespace map::draw {

struct SomGrid {
  int nRows = 0;
  int nCols = 0;
  int rowLo = 1;
  int colLo = 1;
  int nVars = 0;
  // weights(col, row, var); for the external-variable map, var runs 1..1.
  common::Grid3<float> weights;
  float maxDist = 0;

  bool hasUnit(int row, int col) const {
    return row >= rowLo && row <= nRows && col >= colLo && col <= nCols;
  }
};

}  // namespace map::draw

#endif  // MAP_DRAW_SOM_GRID_H_
