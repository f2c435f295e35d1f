// Dissimilarity between two units' weight vectors, and the largest one
// between neighbouring units of a map.
//
// Fourteen measures, chosen by number (0 Euclidean, 1 Manhattan, 2 Canberra,
// 3 Bray-Curtis, 4 Whittaker, 5 chord, 6 Kulczynski, 7 Ruzicka, 8 chi-square
// metric, 9 chi-square distance, 10 Hellinger, 11 squared Euclidean, 12
// square root of Manhattan, 13 Morisita-Horn); any other number gives 1E+37.
// Sums are accumulated in single precision, each partial sum rounded to a
// single; square roots are taken in double precision.
//
// Several measures divide by sums of the values and are meant for
// non-negative data.  Where a denominator is zero, the term that divides by
// it is left out; two vectors that are all zeros are 0 apart under every
// measure; a square root of a value that rounding made slightly negative is 0.
#ifndef MAP_DRAW_DISTANCE_H_
#define MAP_DRAW_DISTANCE_H_

#include "map/draw/som_grid.h"

namespace map::draw {

inline constexpr float kUnknownMeasure = 1e37f;

// The dissimilarity of x[0..p-1] and y[0..p-1] under measure "pref".
float distance(const float* x, const float* y, int p, int pref);

// The largest dissimilarity under measure "pref" between any unit of "grid"
// and one of its six neighbours, over columns 1..c and rows 1..r with n
// variables; -1E+37 when no unit has a neighbour.
float maxdistance(const SomGrid& grid, int c, int r, int n, int pref);

}  // namespace map::draw

#endif  // MAP_DRAW_DISTANCE_H_
