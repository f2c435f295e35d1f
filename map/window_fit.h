// Fitting the map window and its picture to the map.
//
// The window starts at 0.9 of the map's natural size and shrinks by further
// factors of 0.9 until it fits 28800 x 16000 twips (1920 x about 1067
// pixels).  The picture carries the user scale x 0..X2, y 0.5..Y2 (y down),
// in which unit (row, col) has its top corner at (col + off(row), 0.87 row).
#ifndef MAP_WINDOW_FIT_H_
#define MAP_WINDOW_FIT_H_

namespace map {

inline constexpr double kTwipsPerPixel = 15;
inline constexpr double kPictureLeft = 120;  // L, twips
inline constexpr double kPictureTop = 120;   // T, twips

struct MapGeometry {
  double mapScale = 1;
  double pictureWidth = 0;   // PW, twips
  double pictureHeight = 0;  // PH, twips
  double windowWidth = 0;    // FW, twips
  double windowHeight = 0;   // FH, twips
  double x2 = 0;             // user x at the right edge
  double y2 = 0;             // user y at the bottom edge
  int widthPx = 1;           // the picture, extended
  int heightPx = 1;
  int extraRowsPx = 0;  // pixels added below so that the last row shows whole;
                        // the window grows by as many (pictureHeight and
                        // windowHeight are the formulas' values)
  int extraColsPx = 0;  // the same on the right, for the last column
  bool fits = false;    // the shrinking reached the window's size
};

// The geometry for a map of nRows x nCols units spaced hexSize twips apart.
//
// The formulas place small maps drawn with a small hexSize partly below the
// bottom edge (10 x 10 at hexSize 300: the last row reaches y = 9.82 while
// Y2 = 9.215).  Every number above stays as the formulas give it, so every
// unit stays where they put it; the picture and the window are then extended
// downward by whole pixels, the user scale with them, until the map's bottom
// (0.87 nRows + 1.12) plus 0.1 lies inside.  The right edge is mended the
// same way: below hexSize 230 or so, or once the map is shrunk below 0.9,
// X2 falls short of the map's right edge (nCols + 1 with an even row, the
// rows offset by half a cell; nCols + 0.5 without), and the picture grows to
// the right until that edge plus 0.1 lies inside.  Maps that fit are
// unchanged.
MapGeometry fitWindow(int nRows, int nCols, double hexSize);

}  // namespace map

#endif  // MAP_WINDOW_FIT_H_
