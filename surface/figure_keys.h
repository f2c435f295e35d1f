// What explains a figure: a legend of lines, swatches and markers, a colour
// key for a variable drawn in colours, and the colour-blind-safe palette
// that tells series apart.
#ifndef SURFACE_FIGURE_KEYS_H_
#define SURFACE_FIGURE_KEYS_H_

#include <optional>
#include <string>
#include <vector>

#include "surface/figure.h"

namespace surface {

// Series "i" (from 0) of a figure: a colour of the Okabe-Ito palette (blue,
// vermillion, bluish green, reddish purple, orange, sky blue, black, in this
// order, then again) and a line style that differs from its neighbours' as
// well, so that series stay apart in grey print.
Pen seriesPen(int i, double widthPt = 1.5);
Colour okabeIto(int i);

// One row of a legend: its text after a short line in "line", a filled
// square of "swatch", or a dot of "marker" (the first given is drawn).
struct LegendRow {
  std::string text;
  std::optional<Pen> line;
  std::optional<Colour> swatch;
  std::optional<Colour> marker;
};

// The room a legend of "rows" takes at "fontPt".
FigureBox legendBox(const std::vector<LegendRow>& rows, FigurePoint topLeft, double fontPt);

// Draws the legend with its top-left corner at "topLeft": a white backing
// with a thin grey frame, one row a line.  Returns its box.
FigureBox drawLegend(Figure& figure, const std::vector<LegendRow>& rows, FigurePoint topLeft,
                     double fontPt);

enum class Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

// Where a box "width" x "height" stands in "corner" of "within", "insetPt"
// from its edges: its top-left corner.
FigurePoint placeInCorner(const FigureBox& within, double width, double height, Corner corner,
                          double insetPt = 6);

// A colour key: a vertical bar of the colours a variable is drawn in, from
// its minimum (at the bottom) to its maximum (at the top), with the
// variable's name above and the two ends' values beside it.
struct ColourKey {
  std::string name;
  std::string minimumLabel;
  std::string maximumLabel;
  std::vector<Colour> colours;  // the minimum's first, evenly spaced
};

// The width the key takes beside a plot at "fontPt", bar and labels.
double colourKeyWidth(const ColourKey& key, double fontPt);

// Draws "key" with its bar in "bar" (the name over it, the labels to its
// right); returns the box of everything drawn.
FigureBox drawColourKey(Figure& figure, const ColourKey& key, const FigureBox& bar, double fontPt);

}  // namespace surface

#endif  // SURFACE_FIGURE_KEYS_H_
