#include "som/lattice_distance.h"

#include <algorithm>
#include <deque>

#include "map/draw/lattice.h"

namespace som {

namespace {

// Breadth-first steps from (sourceRow, sourceCol) over a field of rows
// 1..fieldRows and columns 1..fieldCols, row by row.
std::vector<int> stepsOver(int fieldRows, int fieldCols, int sourceRow, int sourceCol) {
  std::vector<int> steps(static_cast<std::size_t>(fieldRows) * fieldCols, -1);
  auto at = [&](int row, int col) -> int& {
    return steps[static_cast<std::size_t>(row - 1) * fieldCols + col - 1];
  };
  std::deque<map::draw::RowCol> queue{{sourceRow, sourceCol}};
  at(sourceRow, sourceCol) = 0;
  while (!queue.empty()) {
    const map::draw::RowCol unit = queue.front();
    queue.pop_front();
    for (int side = 1; side <= 6; ++side) {
      const map::draw::RowCol next = map::draw::neighbourAcross(side, unit.row, unit.col);
      if (next.row < 1 || next.row > fieldRows || next.col < 1 || next.col > fieldCols) continue;
      if (at(next.row, next.col) >= 0) continue;
      at(next.row, next.col) = at(unit.row, unit.col) + 1;
      queue.push_back(next);
    }
  }
  return steps;
}

}  // namespace

// The steps to every offset are found on a field one unit wider than the map
// on each side, around a source at its middle, so that the fewest steps never
// depend on the map's edge.
LatticeDistance::LatticeDistance(int rows, int cols) : rows_(rows), cols_(cols) {
  const int fieldRows = 2 * rows + 3;
  const int fieldCols = 2 * cols + 3;
  // The middle row rows + 2, and the row next to it for the other parity.
  const int middle = rows + 2;
  const std::vector<int> fromMiddle = stepsOver(fieldRows, fieldCols, middle, cols + 2);
  const std::vector<int> fromNext = stepsOver(fieldRows, fieldCols, middle + 1, cols + 2);
  const int offsetRows = 2 * rows - 1;
  const int offsetCols = 2 * cols - 1;
  auto crop = [&](const std::vector<int>& field, int sourceRow) {
    std::vector<int> table(static_cast<std::size_t>(offsetRows) * offsetCols);
    for (int dr = -(rows - 1); dr <= rows - 1; ++dr) {
      for (int dc = -(cols - 1); dc <= cols - 1; ++dc) {
        table[static_cast<std::size_t>(dr + rows - 1) * offsetCols + dc + cols - 1] =
            field[static_cast<std::size_t>(sourceRow + dr - 1) * fieldCols + cols + 2 + dc - 1];
      }
    }
    return table;
  };
  const bool middleOdd = middle % 2 != 0;
  fromOdd_ = crop(middleOdd ? fromMiddle : fromNext, middleOdd ? middle : middle + 1);
  fromEven_ = crop(middleOdd ? fromNext : fromMiddle, middleOdd ? middle + 1 : middle);
  // Each of the three hexagonal axes takes its extremes on the first or last
  // column and within two rows of the top or bottom, so the farthest pair
  // lies among those units.
  std::vector<int> outer;
  for (int row : {1, 2, rows - 1, rows}) {
    for (int col : {1, 2, cols - 1, cols}) {
      if (row >= 1 && row <= rows && col >= 1 && col <= cols) {
        outer.push_back((row - 1) * cols + col - 1);
      }
    }
  }
  for (int a : outer) {
    for (int b : outer) diameter_ = std::max(diameter_, steps(a, b));
  }
}

int LatticeDistance::steps(int a, int b) const {
  const int rowA = a / cols_ + 1;
  const int dr = b / cols_ + 1 - rowA;
  const int dc = b % cols_ - a % cols_;
  const std::vector<int>& table = rowA % 2 != 0 ? fromOdd_ : fromEven_;
  return table[static_cast<std::size_t>(dr + rows_ - 1) * (2 * cols_ - 1) + dc + cols_ - 1];
}

}  // namespace som
