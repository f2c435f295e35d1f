// The map as a figure for a paper: every unit a hexagon in the colours the
// exact picture fills it with, the units' labels sized to fit inside them,
// and a colour key (options 2 and 3) or a legend of the classes (option 4)
// beside the map.
#ifndef MAP_PAPER_FIGURE_H_
#define MAP_PAPER_FIGURE_H_

#include <string>
#include <vector>

#include "map/controls.h"
#include "map/settings.h"
#include "surface/figure.h"

namespace map {

// The smallest and largest label sizes, in points.
inline constexpr double kSmallestLabelPt = 4;
inline constexpr double kLargestLabelPt = 8;

// A unit's label lines as drawn: their size and the lines, centred one
// under the other about the centre of the hexagon.
struct FittedLabels {
  double sizePt = kLargestLabelPt;
  std::vector<std::string> lines;
};

// The largest size from kLargestLabelPt down to kSmallestLabelPt (in half
// points) at which every unit's lines fit inside a hexagon "hexPt" wide;
// kSmallestLabelPt when some never fit.
double labelSize(const std::vector<std::vector<std::string>>& units, double hexPt);

// "lines" at "sizePt" fitted inside a hexagon "hexPt" wide: as many whole
// lines as fit, the last kept one "..." when some are left out; when not
// even one does, the most lines that fit cut short to end in "..."; none
// when nothing fits.
FittedLabels fitLabels(const std::vector<std::string>& lines, double sizePt, double hexPt);

// The classes of option (4) drawn on the map, lowest first.
std::vector<int> classesOnMap(const RunState& state);

// The figure of a finished pass: "state" holds the map, its unit colours,
// labels, classes and colour scale; "settings" the class colours; "names"
// the names of classesOnMap in their order (a class without one, or with an
// empty one, shows "Class" and its number).  The
// size is "figure.size" in centimetres, else 12 cm wide and as tall as the
// map needs; "figure.title" goes over it.
surface::Figure paperMapFigure(const RunState& state, const MapControls& controls,
                               const Settings& settings, const std::vector<std::string>& names);

}  // namespace map

#endif  // MAP_PAPER_FIGURE_H_
