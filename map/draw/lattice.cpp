#include "map/draw/lattice.h"

namespace map::draw {

double rowOffset(int row) { return row % 2 == 0 ? 0.5 : 0.0; }

std::array<MapPoint, 6> hexCorners(int row, int col) {
  const double x = col + rowOffset(row);
  const double y = 0.87 * row;
  return {{{x, y},
           {x + 0.5, y + 0.25},
           {x + 0.5, y + 0.87},
           {x, y + 1.12},
           {x - 0.5, y + 0.87},
           {x - 0.5, y + 0.25}}};
}

MapPoint hexCentre(int row, int col) { return {col + rowOffset(row), 0.87 * row + 0.56}; }

RowCol neighbourAcross(int side, int row, int col) {
  const bool even = row % 2 == 0;
  switch (side) {
    case 1:
      return {row - 1, even ? col + 1 : col};
    case 2:
      return {row, col + 1};
    case 3:
      return {row + 1, even ? col + 1 : col};
    case 4:
      return {row + 1, even ? col : col - 1};
    case 5:
      return {row, col - 1};
    default:
      return {row - 1, even ? col : col - 1};
  }
}

}  // namespace map::draw
