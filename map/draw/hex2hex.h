// One segment of a series traced over the map.
#ifndef MAP_DRAW_HEX2HEX_H_
#define MAP_DRAW_HEX2HEX_H_

#include "map/draw/lattice.h"
#include "surface/surface.h"

namespace map::draw {

// The marker point of unit (row, col): on the cell's vertical axis, 0.9375
// below its top corner.
MapPoint markerPoint(int row, int col);

// Draws the segment from unit (y0, x0) to unit (y1, x1) in colour (r, g, b)
// with line width w (pixels).  iniziofine is -1 for the first segment of a
// series (start marker), 1 for the last (end marker), 0 otherwise.  With
// "connect" the units are joined by a line and marked by discs in the
// segment colour, a square at the start and a larger circle at the end;
// without it each unit gets a small red dot and no line is drawn.  Leaves
// the pen black and restores the draw width and fill colour.
void hex2hex(surface::Surface& picture, int y0, int x0, int y1, int x1, double r, double g,
             double b, double w, int iniziofine, bool connect);

}  // namespace map::draw

#endif  // MAP_DRAW_HEX2HEX_H_
