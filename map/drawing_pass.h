// One drawing pass of the map renderer: from the input files and the
// dialog's settings to the finished, saved picture.
#ifndef MAP_DRAWING_PASS_H_
#define MAP_DRAWING_PASS_H_

#include <string>
#include <string_view>
#include <vector>

#include "map/controls.h"
#include "map/settings.h"
#include "map/window_fit.h"
#include "surface/surface.h"

namespace map {

struct PassResult {
  surface::Surface picture{1, 1};
  std::string caption;
  MapGeometry geometry;
  std::string savedPath;
};

// What the Draw button does before the pass: the trimmed file names and the
// selected option go into the run state.
void takeDialogValues(RunState& state, const MapControls& controls);

// Runs the pass: grid check, settings from "settingsPath", window fitting,
// the map of the selected option, labels, series, caption, and saving the
// picture under the trimmed bmpout name.  The program's own messages throw
// common::ProgramMessage, faults ToolError; nothing is saved then, and
// "result" holds the picture as far as it was drawn (1 x 1 when the pass
// stopped before the window was fitted) with its geometry, for the window
// to show behind the message.
void drawingPass(RunState& state, MapControls& controls, const std::string& settingsPath,
                 PassResult& result);

// The same, returning the finished pass.
PassResult drawingPass(RunState& state, MapControls& controls, const std::string& settingsPath);

// The parts of the pass, each used by the pass in this order.
struct PassContext {
  RunState& state;
  MapControls& controls;
  const Settings& settings;
  surface::Surface& picture;
};
std::string drawMap(PassContext& pass);  // returns the caption

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

void writeLabels(PassContext& pass);
void traceSeries(PassContext& pass);

}  // namespace map

#endif  // MAP_DRAWING_PASS_H_
