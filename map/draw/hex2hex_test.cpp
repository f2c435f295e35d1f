#include "map/draw/hex2hex.h"

#include <gtest/gtest.h>

#include "common/colour.h"

namespace map::draw {
namespace {

using common::Colour;
using common::kRed;
using common::kWhite;

surface::Surface picture() {
  surface::Surface s(500, 300);
  s.setScale(0, 0.5, 5, 3.5);  // 100 pixels a unit
  s.setFillStyle(surface::FillStyle::kSolid);
  s.setFillColour(common::rgb(1, 2, 3));
  s.setDrawWidth(2);
  return s;
}

// A segment from unit (row0, col0) to (row1, col1) in (102, 0, 153), 3 wide.
SeriesSegment segment(int row0, int col0, int row1, int col1, SeriesEnd end, bool connect) {
  return {row0, col0, row1, col1, 102, 0, 153, 3, end, connect};
}

Colour at(const surface::Surface& s, double x, double y) {
  const surface::PixelPoint p = s.toPixel(x, y);
  return s.pixel(p.col, p.row);
}

TEST(Hex2hex, MarkerPointsSitLowOnTheCellAxis) {
  EXPECT_EQ(markerPoint(1, 2).x, 2.0);
  EXPECT_DOUBLE_EQ(markerPoint(1, 2).y, 1.8075);  // row 1's top at 0.87, then 15/16 down
  EXPECT_EQ(markerPoint(2, 2).x, 2.5);
}

TEST(Hex2hex, ConnectedSegmentWithStartSquareAndEndCircle) {
  surface::Surface s = picture();
  const Colour c = common::rgb(102, 0, 153);
  hex2hex(s, segment(1, 1, 1, 3, SeriesEnd::kFirst, true));
  const MapPoint p0 = markerPoint(1, 1);
  const MapPoint p1 = markerPoint(1, 3);
  EXPECT_EQ(at(s, 2, p0.y), c);                   // the line
  EXPECT_EQ(at(s, 2, p0.y - 0.05), kWhite);       // 3 pixels wide, not 10
  EXPECT_EQ(at(s, p0.x - 0.06, p0.y - 0.06), c);  // the start square's corner
  EXPECT_EQ(at(s, p1.x, p1.y - 0.05), kWhite);    // no end circle: not the last
  // The state comes back as it was.
  EXPECT_EQ(s.drawWidth(), 2);
  EXPECT_EQ(s.fillColour(), common::rgb(1, 2, 3));
  EXPECT_EQ(s.penColour(), common::kBlack);

  hex2hex(s, segment(1, 3, 2, 3, SeriesEnd::kLast, true));  // last segment: the end circle
  const MapPoint p2 = markerPoint(2, 3);
  EXPECT_EQ(at(s, p2.x, p2.y - 0.05), c);              // inside the radius-1/14 disc
  EXPECT_EQ(at(s, p2.x + 0.06, p2.y - 0.06), kWhite);  // a circle, not a square
}

// Without Connect: no line; the start dot is a red ring filled with the
// segment colour, every later dot red, and the end marker, drawn over the
// last dot with the fill colour set to the segment colour, a red ring
// filled with it again.
TEST(Hex2hex, UnconnectedSeriesShowsRedDotsOnly) {
  surface::Surface s = picture();
  hex2hex(s, segment(1, 1, 1, 3, SeriesEnd::kFirst, false));
  const MapPoint p0 = markerPoint(1, 1);
  const MapPoint p1 = markerPoint(1, 3);
  EXPECT_EQ(at(s, 2, p0.y), kWhite);  // no line
  EXPECT_EQ(at(s, p1.x, p1.y), kRed);
  EXPECT_EQ(at(s, p0.x, p0.y), common::rgb(102, 0, 153));  // filled in the segment colour
  EXPECT_EQ(at(s, p0.x + 1.0 / 32, p0.y), kRed);           // inside a red outline
  EXPECT_EQ(at(s, p0.x + 0.06, p0.y), kWhite);             // a dot, not the square
  EXPECT_EQ(s.fillColour(), common::rgb(1, 2, 3));

  hex2hex(s, segment(1, 3, 2, 3, SeriesEnd::kLast, false));  // the last segment
  const MapPoint p2 = markerPoint(2, 3);
  EXPECT_EQ(at(s, p2.x, p2.y), common::rgb(102, 0, 153));
  EXPECT_EQ(at(s, p2.x + 1.0 / 32, p2.y), kRed);
  EXPECT_EQ(at(s, p2.x, p2.y - 0.05), kWhite);  // the end dot stays small: no 1/14 circle
  EXPECT_EQ(at(s, (p1.x + p2.x) / 2, (p1.y + p2.y) / 2), kWhite);
}

TEST(Hex2hex, ZeroLengthSegmentStillShowsItsDot) {
  surface::Surface s = picture();
  hex2hex(s, {2, 2, 2, 2, 0, 0, 255, 3, SeriesEnd::kMiddle, true});
  const MapPoint p = markerPoint(2, 2);
  EXPECT_EQ(at(s, p.x, p.y), common::rgb(0, 0, 255));
}

}  // namespace
}  // namespace map::draw
