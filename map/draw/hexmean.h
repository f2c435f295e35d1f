// The mean of the known values around a unit, for the external-variable map.
#ifndef MAP_DRAW_HEXMEAN_H_
#define MAP_DRAW_HEXMEAN_H_

#include "common/grid.h"

namespace map::draw {

// The value that marks a unit without a value.
inline constexpr float kMissing = -9999.0f;

// The mean, in single precision, of the known values (anything but exactly
// -9999) among unit (x = column, y = row) and its six neighbours in g(col,
// row); -9999 when none is known.  Cells outside g's bounds are skipped.
float hexmean(const common::Grid2<float>& g, int x, int y);

// Fills every missing unit of g by sweeps: each sweep gives each missing
// unit the hexmean of the grid as it stood before the sweep, until no unit
// is missing.  Returns the number of sweeps.  A grid without any known value
// stays as it is.
int fillMissing(common::Grid2<float>& g);

}  // namespace map::draw

#endif  // MAP_DRAW_HEXMEAN_H_
