#include "map/draw/drawhex.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/colour.h"
#include "common/rounding.h"
#include "map/draw/distance.h"
#include "map/draw/lattice.h"

namespace map::draw {
namespace {

std::vector<float> unitWeights(const SomGrid& grid, int row, int col) {
  std::vector<float> v(static_cast<std::size_t>(std::max(grid.nVars, 0)));
  for (int k = 1; k <= grid.nVars; ++k)
    v[static_cast<std::size_t>(k - 1)] = grid.weights(col, row, k);
  return v;
}

}  // namespace

int sideWidth(float d, float maxDist, int distWidth, int widest) {
  if (maxDist == 0) return 1;  // 0/0: all neighbours alike
  float q = d / maxDist;
  q = q * static_cast<float>(distWidth);
  q = q + 1.0f;
  if (!std::isfinite(q)) return 1;
  return static_cast<int>(std::clamp(common::roundHalfEven(q), 1.0, static_cast<double>(widest)));
}

common::Colour fillColour(double r, double g, double b) {
  auto component = [](double v) {
    return static_cast<int>(std::clamp(common::roundHalfEven(v), -1.0, 256.0));
  };
  return common::rgb(component(r), component(g), component(b));
}

void fillpoly(surface::Surface& picture, double x, double y, double r, double g, double b,
              const std::vector<double>* outline) {
  picture.setFillStyle(surface::FillStyle::kSolid);
  picture.setFillColour(fillColour(r, g, b));
  const double px = common::roundHalfEven(picture.toPixelsX(x));
  const double py = common::roundHalfEven(picture.toPixelsY(y));
  if (!(std::fabs(px) < 1e9 && std::fabs(py) < 1e9)) return;
  picture.floodFill(static_cast<int>(px), static_cast<int>(py), picture.penColour(), outline);
}

void drawhex(surface::Surface& picture, const SomGrid& grid, const SideWidths& sides, int y0, int x,
             double r, double g, double b, double w) {
  const bool scaled = w >= 0;  // any negative w is the plain mode
  std::vector<float> own;
  if (scaled) own = unitWeights(grid, y0, x);
  const std::array<MapPoint, 6> c = hexCorners(y0, x);
  // A side twice as wide as the picture covers all of it wherever it runs.
  const int widest = 2 * std::max(picture.widthPx(), picture.heightPx()) + 1;

  picture.setPenColour(common::kBlack);
  // The outline only bounds the fill: the sides drawn after it cover it, so
  // a drawing kept as shapes has the fill's polygon and the sides alone.
  picture.setPixelsOnly(true);
  picture.line(c[0].x, c[0].y, c[1].x, c[1].y);
  for (int k = 2; k <= 6; ++k) picture.lineTo(c[k % 6].x, c[k % 6].y);
  picture.setPixelsOnly(false);

  // The seed's offsets are lengths of the hexagon: half its half-width, and
  // half its height less that.
  std::vector<double> corners;
  if (picture.keepsShapes()) {
    for (const MapPoint& p : c) corners.insert(corners.end(), {p.x, p.y});
  }
  fillpoly(picture, c[0].x + 0.5 / 2, c[0].y + (1.12 / 2 - 0.5 / 2), r, g, b,
           picture.keepsShapes() ? &corners : nullptr);

  for (int side = 1; side <= 6; ++side) {
    int width = 1;
    const RowCol across = neighbourAcross(side, y0, x);
    if (scaled && grid.hasUnit(across.row, across.col)) {
      const std::vector<float> other = unitWeights(grid, across.row, across.col);
      const float d = distance(own.data(), other.data(), grid.nVars, sides.distPref);
      width = sideWidth(d, grid.maxDist, sides.distWidth, widest);
    }
    picture.setDrawWidth(width);
    const MapPoint& to = c[side % 6];
    if (side == 1) {
      picture.line(c[0].x, c[0].y, to.x, to.y);
    } else {
      picture.lineTo(to.x, to.y);
    }
  }
  picture.setDrawWidth(1);
}

}  // namespace map::draw
