// What every step of a drawing pass works on: the run state, the dialog's
// values, the settings and the picture.
#ifndef MAP_PASS_CONTEXT_H_
#define MAP_PASS_CONTEXT_H_

#include "map/controls.h"
#include "map/draw/drawhex.h"
#include "map/settings.h"
#include "surface/surface.h"

namespace map {

// The parts of one pass; all are owned by the pass's caller and outlive it.
struct PassContext {
  RunState& state;
  MapControls& controls;
  const Settings& settings;
  surface::Surface& picture;
};

// The side-width settings that drawhex takes from the settings file.
inline draw::SideWidths sidesOf(const Settings& s) { return {s.distPref, s.distWidth}; }

// Draws unit (row, col) as drawhex does and keeps the colour it is filled
// with in the run state, for a figure drawn from the same map.
inline void paintUnit(PassContext& pass, int row, int col, double r, double g, double b, double w) {
  draw::drawhex(pass.picture, pass.state.grid, sidesOf(pass.settings), row, col, r, g, b, w);
  common::Grid2<common::Colour>& colours = pass.state.unitColours;
  if (colours.first().contains(row) && colours.second().contains(col)) {
    colours(row, col) = draw::fillColour(r, g, b);
  }
}

}  // namespace map

#endif  // MAP_PASS_CONTEXT_H_
