#include "map/draw/outlines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/colour.h"

namespace map::draw {
namespace {

struct Extent {
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
};

Extent extentOf(const std::vector<MapPoint>& points) {
  Extent e;
  for (const MapPoint& p : points) {
    e.minX = std::min(e.minX, p.x);
    e.maxX = std::max(e.maxX, p.x);
    e.minY = std::min(e.minY, p.y);
    e.maxY = std::max(e.maxY, p.y);
  }
  return e;
}

TEST(Outlines, OneStoredValueGivesAnEllipse) {
  // m = 1: a1 = 1, b1 = c1 = 0, d1 stored; x = cos T, y = -d1 sin T.
  const std::vector<MapPoint> p = outlinePoints({1, 0, 0, 0.5f});
  ASSERT_EQ(p.size(), 619u);
  EXPECT_EQ(p[0].x, 1.0);
  EXPECT_EQ(p[0].y, 0.0);
  const Extent e = extentOf(p);
  EXPECT_NEAR(e.maxX, 1, 1e-3);
  EXPECT_NEAR(e.minX, -1, 1e-3);
  EXPECT_NEAR(e.maxY, 0.5, 1e-3);
  // The 101st point: t accumulated to about 1, T = 6.183185, where
  // cos T = 0.99500413... and sin T = -0.09983372...
  EXPECT_DOUBLE_EQ(p[100].x, 0.9950041346111916);
  EXPECT_DOUBLE_EQ(p[100].y, 0.04991686114589356);
}

TEST(Outlines, OnlyWholeHarmonicsAreUsed) {
  // m = 4 (seven values): one harmonic; the last three are ignored.
  const auto one = outlinePoints({1, 0, 0, 0.5f, 9, 9, 9});
  const auto ellipse = outlinePoints({1, 0, 0, 0.5f});
  for (std::size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(one[i].x, ellipse[i].x);
    EXPECT_EQ(one[i].y, ellipse[i].y);
  }
  // m = 5 (eight values): two harmonics, all used.
  const auto two = outlinePoints({1, 0, 0, 0.5f, 0.25f, 0, 0, 0});
  EXPECT_DOUBLE_EQ(two[0].x, 1.25);
}

TEST(Outlines, FlatOutlineWhenD1IsZero) {
  const Extent e = extentOf(outlinePoints({1, 0, 0, 0}));
  EXPECT_EQ(e.minY, 0);
  EXPECT_EQ(e.maxY, 0);
}

TEST(Outlines, CellShowsCrossAndBluePoints) {
  surface::Surface s(400, 300);
  s.setScale(0, 0.5, 4, 3.5);  // 100 pixels a unit
  drawOutline(s, 1, 2, {1, 0, 0, 0.5f});
  const MapPoint centre = hexCentre(1, 2);
  auto at = [&](double x, double y) {
    const surface::PixelPoint p = s.toPixel(x, y);
    return s.pixel(p.col, p.row);
  };
  EXPECT_EQ(at(centre.x, centre.y - 0.25), common::paletteColour(7));  // the vertical bar
  EXPECT_EQ(at(centre.x + 0.14, centre.y), common::paletteColour(7));  // the horizontal bar
  // x = cos T maps to X0 - 0.1 x, y = -0.5 sin T to Y0 + 0.56 + 0.4 y: the
  // extreme points lie 0.1 left and right and 0.2 above and below the centre.
  EXPECT_EQ(at(centre.x - 0.1, centre.y), common::paletteColour(1));
  EXPECT_EQ(at(centre.x, centre.y + 0.2), common::paletteColour(1));
  EXPECT_EQ(at(centre.x - 0.05, centre.y + 0.05), common::kWhite);  // points, not a fill
}

}  // namespace
}  // namespace map::draw
