// Drawing one map unit as a hexagon.
#ifndef MAP_DRAW_DRAWHEX_H_
#define MAP_DRAW_DRAWHEX_H_

#include <vector>

#include "common/colour.h"
#include "map/draw/som_grid.h"
#include "surface/surface.h"

namespace map::draw {

// What the side widths of distance mode depend on.
struct SideWidths {
  int distPref = 0;   // the measure used for every side
  int distWidth = 0;  // pixels added to a side at the largest dissimilarity
};

// The w of drawhex for sides 1 pixel wide whatever the neighbours (any
// negative w does the same).
inline constexpr double kPlainSides = -1;

// Draws unit (y0, x): a black outline, a flood fill in colour (r, g, b), then
// the six sides again, 1 pixel wide when w is negative or no neighbour lies
// across the side, else roundHalfEven(d / maxDist * distWidth + 1) pixels with d the
// dissimilarity to that neighbour (1 when maxDist is 0).  Leaves the pen
// black, the draw width 1, the fill style solid and the fill colour (r, g, b).
void drawhex(surface::Surface& picture, const SomGrid& grid, const SideWidths& sides, int y0, int x,
             double r, double g, double b, double w);

// The colour a unit drawn in (r, g, b) is filled with: each component
// rounded half to even and held to -1..256 before common::rgb packs it.
common::Colour fillColour(double r, double g, double b);

// Fills, in colour (roundHalfEven(r), roundHalfEven(g), roundHalfEven(b)), the region around the
// seed (x, y) bounded by the pen colour.  The seed is converted to pixels as a pair of lengths,
// without subtracting the scale's origin, so it lands on the pixel of user point (x + left, y +
// top).  "outline" (x1, y1, x2, ... in user coordinates), when known, is the polygon around the
// region, for a picture kept as shapes.
void fillpoly(surface::Surface& picture, double x, double y, double r, double g, double b,
              const std::vector<double>* outline = nullptr);

// The width of a side at dissimilarity d, for maxDist and distWidth: roundHalfEven(d /
// maxDist * distWidth + 1), at least 1 and at most "widest" (a bound no real
// picture reaches, kept only so that absurd settings cost nothing absurd).
int sideWidth(float d, float maxDist, int distWidth, int widest);

}  // namespace map::draw

#endif  // MAP_DRAW_DRAWHEX_H_
