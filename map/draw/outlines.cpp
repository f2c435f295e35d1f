#include "map/draw/outlines.h"

#include <cmath>

#include "common/colour.h"

namespace map::draw {

std::vector<MapPoint> outlinePoints(const std::vector<float>& coefficients) {
  const int harmonics = static_cast<int>(coefficients.size()) / 4;
  std::vector<MapPoint> points(kOutlinePoints);
  double t = 0.0;
  for (int i = 0; i < kOutlinePoints; ++i) {
    double x = 0;
    double y = 0;
    for (int n = 1; n <= harmonics; ++n) {
      const double theta = n * t * 6.183185;
      const double a = coefficients[static_cast<std::size_t>(4 * (n - 1))];
      const double b = coefficients[static_cast<std::size_t>(4 * (n - 1) + 1)];
      const double c = coefficients[static_cast<std::size_t>(4 * (n - 1) + 2)];
      const double d = coefficients[static_cast<std::size_t>(4 * (n - 1) + 3)];
      x += a * std::cos(theta) - b * std::sin(theta);
      y += c * std::cos(theta) - d * std::sin(theta);
    }
    points[static_cast<std::size_t>(i)] = {x, y};
    t = t + 0.01;
  }
  return points;
}

void drawOutline(surface::Surface& picture, int row, int col,
                 const std::vector<float>& coefficients) {
  const double x0 = col + rowOffset(row);
  const double y0 = 0.87 * row;
  const double sx = 0.3;
  const double sy = -0.6;
  const double cx = x0 - sx / 2;
  const double cy = (y0 + 1.12 / 2) - sy / 2;
  const common::Colour cross = common::paletteColour(7);
  picture.line(cx + sx / 2, cy, cx + sx / 2, cy + sy, cross);
  picture.line(cx, cy + sy / 2, cx + sx, cy + sy / 2, cross);
  const common::Colour ink = common::paletteColour(1);
  for (const MapPoint& p : outlinePoints(coefficients)) {
    picture.point(cx + sx / 2 - sx * p.x / 3, cy + sy / 2 - sy * p.y / 1.5, ink);
  }
}

}  // namespace map::draw
