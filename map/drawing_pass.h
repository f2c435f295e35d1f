// One drawing pass of the map renderer: from the input files and the
// dialog's settings to the finished, saved picture.
#ifndef MAP_DRAWING_PASS_H_
#define MAP_DRAWING_PASS_H_

#include <string>
#include <vector>

#include "map/controls.h"
#include "map/pass_context.h"
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

// The files a pass reads (empty names for those it does not): no output may
// be one of them.
std::vector<std::string> passInputs(const RunState& state, const std::string& settingsPath);

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

// The map of the selected option (plain, variables, external variable or
// classes) drawn on pass.picture; returns the window caption.
std::string drawMap(PassContext& pass);

}  // namespace map

#endif  // MAP_DRAWING_PASS_H_
