#include "map/draw/lattice.h"

#include <gtest/gtest.h>

namespace map::draw {
namespace {

TEST(Lattice, EvenRowsAreOffsetHalfACell) {
  EXPECT_EQ(rowOffset(1), 0.0);
  EXPECT_EQ(rowOffset(2), 0.5);
  EXPECT_EQ(rowOffset(0), 0.5);
  const auto c = hexCorners(2, 3);
  EXPECT_EQ(c[0].x, 3.5);
  // Row 2's top corner is 2 x 0.87 down, its bottom 1.12 and its centre 0.56 below that.
  EXPECT_DOUBLE_EQ(c[0].y, 1.74);
  EXPECT_DOUBLE_EQ(c[3].y, 2.86);
  EXPECT_DOUBLE_EQ(hexCentre(2, 3).y, 2.3);
  EXPECT_EQ(hexCentre(2, 3).x, 3.5);
}

TEST(Lattice, NeighboursOfCornerUnits) {
  struct Row {
    int row, col, side, nRow, nCol;
  } rows[] = {
      // Row 1 (odd), column 1.
      {1, 1, 1, 0, 1},
      {1, 1, 2, 1, 2},
      {1, 1, 3, 2, 1},
      {1, 1, 4, 2, 0},
      {1, 1, 5, 1, 0},
      {1, 1, 6, 0, 0},
      // Row 2 (even), column 1.
      {2, 1, 6, 1, 1},
      {2, 1, 1, 1, 2},
      {2, 1, 5, 2, 0},
      {2, 1, 3, 3, 2},
      {2, 1, 4, 3, 1},
  };
  for (const Row& r : rows) {
    const RowCol n = neighbourAcross(r.side, r.row, r.col);
    EXPECT_EQ(n.row, r.nRow) << r.row << "," << r.col << " side " << r.side;
    EXPECT_EQ(n.col, r.nCol) << r.row << "," << r.col << " side " << r.side;
  }
}

// Every side of a unit is the opposite side of the unit across it, run the
// other way, in both row parities: the neighbour table and the corners agree.
TEST(Lattice, NeighboursShareTheSideBetweenThem) {
  for (int row = 1; row <= 2; ++row) {
    for (int side = 1; side <= 6; ++side) {
      const auto own = hexCorners(row, 5);
      const RowCol n = neighbourAcross(side, row, 5);
      const auto other = hexCorners(n.row, n.col);
      const int opposite = (side + 2) % 6 + 1;
      const MapPoint& a = own[side - 1];
      const MapPoint& b = own[side % 6];
      const MapPoint& c = other[opposite - 1];
      const MapPoint& d = other[opposite % 6];
      EXPECT_NEAR(a.x, d.x, 1e-12) << "row " << row << " side " << side;
      EXPECT_NEAR(a.y, d.y, 1e-12) << "row " << row << " side " << side;
      EXPECT_NEAR(b.x, c.x, 1e-12) << "row " << row << " side " << side;
      EXPECT_NEAR(b.y, c.y, 1e-12) << "row " << row << " side " << side;
    }
  }
}

TEST(Lattice, AdjacentRowsMeetExactly) {
  const auto a = hexCorners(1, 1);
  const auto b = hexCorners(2, 1);
  EXPECT_EQ(a[2].x, b[0].x);  // C3 of (1,1) is C1 of (2,1)
  EXPECT_EQ(a[2].y, b[0].y);
  const auto c = hexCorners(2, 0);
  EXPECT_EQ(a[3].x, c[1].x);  // C4 of (1,1) is C2 of (2,0)
  EXPECT_NEAR(a[3].y, c[1].y, 1e-15);
}

}  // namespace
}  // namespace map::draw
