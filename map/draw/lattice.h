// The hexagonal lattice of the map.
//
// Unit (row, col) has its top corner at (col + off(row), 0.87 * row) in map
// units, where even rows are offset half a cell to the right.  A hexagon is
// 1 wide and 1.12 tall with vertical sides 0.62 long; rows are 0.87 apart, so
// the slanted sides of neighbouring rows coincide.  The constants are the
// literal decimals, not values derived from sqrt(3).
#ifndef MAP_DRAW_LATTICE_H_
#define MAP_DRAW_LATTICE_H_

#include <array>

namespace map::draw {

struct MapPoint {
  double x = 0;
  double y = 0;
};

// 0.5 for even rows, 0 for odd ones.
double rowOffset(int row);

// The six corners C1 (top), C2 (upper right), C3 (lower right), C4 (bottom),
// C5 (lower left), C6 (upper left) of unit (row, col).
std::array<MapPoint, 6> hexCorners(int row, int col);

// The centre of unit (row, col): 0.56 below its top corner.
MapPoint hexCentre(int row, int col);

struct RowCol {
  int row = 0;
  int col = 0;
};

// The unit across side k (1..6) of unit (row, col); side k runs from corner
// Ck to corner Ck+1 (side 6 back to C1).  It may lie outside the map.
RowCol neighbourAcross(int side, int row, int col);

}  // namespace map::draw

#endif  // MAP_DRAW_LATTICE_H_
