#include "map/draw/drawhex.h"

#include <gtest/gtest.h>

#include "common/colour.h"
#include "map/draw/distance.h"
#include "map/draw/lattice.h"
#include "test_support/som_grids.h"

namespace map::draw {
namespace {

using common::Colour;
using common::kBlack;
using common::kWhite;

using support::gridOf;

// A picture with the renderer's kind of scale: y from 0.5 down, "perUnit"
// pixels a map unit.
surface::Surface pictureFor(int rows, int cols, int perUnit = 60) {
  surface::Surface s(perUnit * (cols + 2), static_cast<int>(perUnit * (0.87 * rows + 1.7)));
  s.setScale(0, 0.5, cols + 2, 0.87 * rows + 1.7 + 0.5);
  return s;
}

Colour at(const surface::Surface& s, double x, double y) {
  const surface::PixelPoint p = s.toPixel(x, y);
  return s.pixel(p.col, p.row);
}

TEST(SideWidth, RoundsHalvesToEven) {
  EXPECT_EQ(sideWidth(0.75f, 1.0f, 2, 1000), 2);     // 2.5
  EXPECT_EQ(sideWidth(0.625f, 1.0f, 4, 1000), 4);    // 3.5
  EXPECT_EQ(sideWidth(2.0f, 2.0f, 4, 1000), 5);      // the largest distance: distWidth + 1
  EXPECT_EQ(sideWidth(0.0f, 2.0f, 4, 1000), 1);      // identical neighbours
  EXPECT_EQ(sideWidth(0.0f, 0.0f, 4, 1000), 1);      // all neighbours alike
  EXPECT_EQ(sideWidth(1e37f, 1e37f, 4, 1000), 5);    // unknown measure: full width
  EXPECT_EQ(sideWidth(3.0f, 3.0f, 100, 1000), 101);  // no cap below the picture's size
  EXPECT_EQ(sideWidth(3.0f, 3.0f, 30000, 1000), 1000);
}

TEST(Drawhex, FillsEachUnitAndKeepsBlackBordersBetweenThem) {
  SomGrid grid = gridOf(3, 3, 0);
  surface::Surface s = pictureFor(3, 3);
  const Colour colours[3] = {common::rgb(255, 0, 0), common::rgb(0, 128, 0),
                             common::rgb(0, 0, 255)};
  for (int col = 1; col <= 3; ++col) {
    for (int row = 1; row <= 3; ++row) {
      const Colour c = colours[(row + col) % 3];
      drawhex(s, grid, {}, row, col, common::redOf(c), common::greenOf(c), common::blueOf(c), -1);
    }
  }
  for (int row = 1; row <= 3; ++row) {
    for (int col = 1; col <= 3; ++col) {
      const MapPoint centre = hexCentre(row, col);
      EXPECT_EQ(at(s, centre.x, centre.y), colours[(row + col) % 3]) << row << "," << col;
      // The right side, shared with the next unit of the row.
      EXPECT_EQ(at(s, centre.x + 0.5, centre.y), kBlack) << row << "," << col;
    }
  }
  EXPECT_EQ(s.penColour(), kBlack);
  EXPECT_EQ(s.drawWidth(), 1);
  EXPECT_EQ(s.fillStyle(), surface::FillStyle::kSolid);
  EXPECT_EQ(at(s, 0.1, 0.6), kWhite);  // outside the map
}

// Counts the black pixels within "reach" of x on the row of y.
int borderWidthAt(const surface::Surface& s, double x, double y, int reach = 10) {
  const surface::PixelPoint p = s.toPixel(x, y);
  int width = 0;
  for (int c = p.col - reach; c <= p.col + reach; ++c) width += s.pixel(c, p.row) == kBlack;
  return width;
}

TEST(Drawhex, DistanceModeWidensSidesBetweenDifferentUnits) {
  SomGrid grid = gridOf(1, 2, 2);
  grid.weights(2, 1, 1) = 3;
  grid.weights(2, 1, 2) = 4;
  grid.maxDist = maxdistance(grid, 2, 1, 2, 0);
  const double y = hexCentre(1, 1).y;
  // The most dissimilar neighbours' side is distWidth + 1 wide, at any size.
  for (const auto& [distWidth, perUnit] : {std::pair{4, 60}, std::pair{100, 400}}) {
    SCOPED_TRACE(distWidth);
    const SideWidths sides{0, distWidth};
    surface::Surface s = pictureFor(1, 2, perUnit);
    drawhex(s, grid, sides, 1, 1, 255, 255, 255, 0);
    drawhex(s, grid, sides, 1, 2, 255, 255, 255, 0);
    EXPECT_EQ(borderWidthAt(s, 1.5, y, distWidth / 2 + 8), distWidth + 1);  // the shared side
    EXPECT_EQ(borderWidthAt(s, 0.5, y), 1);                                 // the map's edge
    EXPECT_EQ(borderWidthAt(s, 2.5, y), 1);
  }
  surface::Surface plain = pictureFor(1, 2);
  drawhex(plain, grid, {0, 4}, 1, 1, 255, 255, 255, -5);  // any negative w is plain
  EXPECT_EQ(borderWidthAt(plain, 1.5, y), 1);
}

TEST(Drawhex, PlainModeReadsNoWeights) {
  SomGrid grid;  // no weights at all
  grid.nRows = 1;
  grid.nCols = 1;
  surface::Surface s = pictureFor(1, 1);
  drawhex(s, grid, {0, 4}, 1, 1, 10, 20, 30, -1);
  EXPECT_EQ(at(s, hexCentre(1, 1).x, hexCentre(1, 1).y), common::rgb(10, 20, 30));
}

TEST(Fillpoly, SeedIsALengthNotAPosition) {
  surface::Surface s(100, 100);
  s.setScale(0, 0.5, 10, 10.5);  // 10 pixels a unit, top at 0.5
  s.line(0, 0.5, 10, 10.5, kBlack, surface::LineKind::kBox);
  s.line(0, 5.5, 10, 5.5, kBlack);  // splits the picture at row 50
  // The seed (1, 5.2) lands on pixel (10, 52), below the line: the pixel of
  // user point (1, 5.7), not of (1, 5.2), which lies above it.
  fillpoly(s, 1, 5.2, 255, 0, 0);
  EXPECT_EQ(s.pixel(20, 60), common::rgb(255, 0, 0));
  EXPECT_EQ(s.pixel(20, 40), kWhite);
  fillpoly(s, 1, 5.04, 0, 255.4, 0);  // pixel row 50.4 -> 50: the black line, nothing filled
  EXPECT_EQ(s.pixel(20, 40), kWhite);
  EXPECT_EQ(s.fillColour(), common::rgb(0, 255, 0));
}

}  // namespace
}  // namespace map::draw
