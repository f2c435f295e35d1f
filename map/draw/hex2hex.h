// One segment of a series traced over the map.
#ifndef MAP_DRAW_HEX2HEX_H_
#define MAP_DRAW_HEX2HEX_H_

#include "map/draw/lattice.h"
#include "surface/surface.h"

namespace map::draw {

// The marker point of unit (row, col): on the cell's vertical axis, 0.9375
// below its top corner.
MapPoint markerPoint(int row, int col);

// Where a segment lies in its series: the first carries the start marker,
// the last the end marker.  A series of one segment has only its last.
enum class SeriesEnd { kMiddle, kFirst, kLast };

// One segment of a series: from the previous pattern's unit to this one's.
struct SeriesSegment {
  int fromRow = 0, fromCol = 0;         // the previous unit
  int toRow = 0, toCol = 0;             // this unit
  double red = 0, green = 0, blue = 0;  // the colour, 0..255, rounded when drawn
  double widthPx = 1;                   // the line's width
  SeriesEnd end = SeriesEnd::kMiddle;
  bool connect = false;  // the options dialog's Connect box
};

// Draws "segment" on "picture".  With "connect" the units are joined by a
// line and marked by discs in the segment colour, a square at the start of
// the first segment and a larger circle at the end of the last; without it
// each unit gets a small red dot and no line is drawn.  Leaves the pen black
// and restores the draw width and fill colour.
void hex2hex(surface::Surface& picture, const SeriesSegment& segment);

}  // namespace map::draw

#endif  // MAP_DRAW_HEX2HEX_H_
