// The object labels written into the units of the map.
#ifndef MAP_UNIT_LABELS_H_
#define MAP_UNIT_LABELS_H_

#include <string>
#include <string_view>
#include <vector>

#include "map/pass_context.h"

namespace map {

// One line of a unit's labels: its text and how many text heights its top
// edge stands above the cell's centre.
struct LabelLine {
  std::string text;
  double lift = 0;
  bool operator==(const LabelLine&) const = default;
};

// The lines written into a unit whose label string is "unitLabels": one to
// three labels on as many lines, the first two and "..." for four or more;
// the count of labels instead when "countPatterns"; one empty line when
// "blankUnits" (which wins over the count).  No lines for a unit without
// labels unless one of the two modes is on.
std::vector<LabelLine> labelLines(std::string_view unitLabels, bool countPatterns, bool blankUnits);

// Reads the first nObjects records of the .bmu file into each unit's label
// string (rows and columns 0 are accepted, and never shown; others outside
// the map stop with subscript out of range) and writes the labels in Arial,
// 7 points or 7 + hexSize / 550 above a hexSize of 550.  Histograms and
// outlines get no labels.
void writeLabels(PassContext& pass);

}  // namespace map

#endif  // MAP_UNIT_LABELS_H_
