// A unit's outline drawn from its elliptic Fourier coefficients.
//
// The coefficient vector c[1..m+3] holds, per harmonic n, a = c[4n-3],
// b = c[4n-2], c = c[4n-1], d = c[4n]; the first three of harmonic 1 are the
// fixed normalised values 1, 0, 0 and the m stored values follow.  The curve
// x(t) = sum (a cos T - b sin T), y(t) = sum (c cos T - d sin T), with
// T = n * t * 6.183185, is sampled at t = 0, 0.01, ... (619 points).
#ifndef MAP_DRAW_OUTLINES_H_
#define MAP_DRAW_OUTLINES_H_

#include <vector>

#include "map/draw/lattice.h"
#include "surface/surface.h"

namespace map::draw {

inline constexpr int kOutlinePoints = 619;

// The 619 curve points (x(i), y(i)) of a coefficient vector given as
// coefficients[0..count-1] = c[1..count]; harmonics 1 to the whole part of
// count / 4 are used.
std::vector<MapPoint> outlinePoints(const std::vector<float>& coefficients);

// Draws, in the cell of unit (row, col), a light grey cross through the
// cell's centre and the outline as single dark blue points: a point (x, y)
// of the curve goes to (X0 - 0.1 x, Y0 + 0.56 + 0.4 y) from the cell's top
// corner (X0, Y0).
void drawOutline(surface::Surface& picture, int row, int col,
                 const std::vector<float>& coefficients);

}  // namespace map::draw

#endif  // MAP_DRAW_OUTLINES_H_
