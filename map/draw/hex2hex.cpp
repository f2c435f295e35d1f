#include "map/draw/hex2hex.h"

#include <algorithm>
#include <cmath>

#include "common/colour.h"
#include "common/rounding.h"

namespace map::draw {
namespace {

constexpr double kDot = 0.5 / 16;    // radius of a dot
constexpr double kMarker = 0.5 / 7;  // half-side of the start square, radius of the end circle

int component(double v) {
  return static_cast<int>(std::clamp(common::roundHalfEven(v), -1.0, 256.0));
}

}  // namespace

MapPoint markerPoint(int row, int col) {
  return {col + rowOffset(row), 0.87 * row + (1 - 0.25 / 4)};
}

void hex2hex(surface::Surface& picture, const SeriesSegment& segment) {
  const MapPoint p0 = markerPoint(segment.fromRow, segment.fromCol);
  const MapPoint p1 = markerPoint(segment.toRow, segment.toCol);
  const common::Colour c =
      common::rgb(component(segment.red), component(segment.green), component(segment.blue));
  const bool connect = segment.connect;
  picture.setPenColour(common::kBlack);

  if (segment.end == SeriesEnd::kFirst) {
    const common::Colour kept = picture.fillColour();
    picture.setFillColour(c);
    if (connect) {
      picture.line(p0.x - kMarker, p0.y - kMarker, p0.x + kMarker, p0.y + kMarker, c,
                   surface::LineKind::kFilledBox);
    } else {
      picture.circle(p0.x, p0.y, kDot, common::kRed);
    }
    picture.setFillColour(kept);
  }

  const int keptWidth = picture.drawWidth();
  const common::Colour keptFill = picture.fillColour();
  picture.setDrawWidth(
      static_cast<int>(std::clamp(common::roundHalfEven(segment.widthPx), 1.0, 64.0)));
  if (connect) {
    picture.setFillColour(c);
    picture.line(p0.x, p0.y, p1.x, p1.y, c);
    picture.circle(p1.x, p1.y, kDot, c);
  } else {
    picture.setFillColour(common::kRed);
    picture.circle(p1.x, p1.y, kDot, common::kRed);
  }
  picture.setDrawWidth(keptWidth);
  picture.setFillColour(keptFill);

  if (segment.end == SeriesEnd::kLast) {
    const common::Colour kept = picture.fillColour();
    picture.setFillColour(c);
    picture.circle(p1.x, p1.y, connect ? kMarker : kDot, connect ? c : common::kRed);
    picture.setFillColour(kept);
  }
}

}  // namespace map::draw
