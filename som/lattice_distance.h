// Distances on the map's hexagonal lattice: the fewest steps from a unit to
// another, each step across a side of a hexagon, on the same lattice (row
// offsets and neighbours) that the map renderer draws.
#ifndef SOM_LATTICE_DISTANCE_H_
#define SOM_LATTICE_DISTANCE_H_

#include <vector>

namespace som {

class LatticeDistance {
 public:
  // The lattice of "rows" x "cols" units (rows and columns from 1).
  LatticeDistance(int rows, int cols);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  int units() const { return rows_ * cols_; }

  // The steps between units "a" and "b", numbered row by row from 0
  // (unit (row, col) is (row - 1) * cols + col - 1).
  int steps(int a, int b) const;

  // The largest distance between two units of the map.
  int diameter() const { return diameter_; }

 private:
  int rows_;
  int cols_;
  int diameter_ = 0;
  // For a unit on an odd and on an even row, the steps to every offset
  // (drow, dcol), drow in -(rows-1)..rows-1 and dcol in -(cols-1)..cols-1.
  std::vector<int> fromOdd_;
  std::vector<int> fromEven_;
};

}  // namespace som

#endif  // SOM_LATTICE_DISTANCE_H_
