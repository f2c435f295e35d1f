// The plot of Tremora's window: relative change of the error against the
// noise level, one curve per input.
#ifndef EBP_TREMORA_SENSITIVITY_PLOT_H_
#define EBP_TREMORA_SENSITIVITY_PLOT_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/colour.h"
#include "ebp/tremora/sensitivity_results.h"
#include "surface/surface.h"

namespace tremora {

// Whether the plot was drawn, or why not.
enum class PlotOutcome {
  kDrawn,
  kNoResults,           // no levels or no inputs
  kLevelsSpanNothing,   // every noise level is 0
  kChangesSpanNothing,  // no noise level changed the error
};

// The sentence that says why there is no plot ("" for kDrawn).
std::string_view whyNoPlot(PlotOutcome outcome);

// Draws the relative change against the noise level, one curve per input,
// with grid, frame, zero line, axes and legend.  When the levels or the
// changes span nothing there is no plot: the picture is left blank.
PlotOutcome drawSensitivityPlot(surface::Surface& plot, const SensitivityTable& table);

// The level the horizontal axis runs to from 0: the level farthest from 0,
// the last of those as far; for levels in ascending order the last level.
// 0 for no levels.  A NaN level is passed over.
float levelSpan(const std::vector<float>& levels);

// The labels of the horizontal axis for the last level "llast": 0, then
// steps of 0.05 ("##0.0%") below 0.5 or 0.1 ("##0%") from it, accumulated,
// up to floor(10 llast) / 10, where 10 llast is a single-precision product (so
// a last level of 0.7 ends at 0.7, not at 0.6).
std::vector<std::pair<double, std::string>> levelLabels(float llast);

// The ticks of the vertical axis: 0 and steps of 0.5 (1 from Dmax 3 on) up
// to Dmax, then, when -step lies above Dmin, -step, -2 step, ... down to Dmin.
std::vector<double> changeTicks(double dmax, double dmin);

// The colour of input i's curve and legend entry: palette colour i mod 15.
common::Colour inputColour(int i);

inline constexpr int kPlotWidthPx = 617;
inline constexpr int kPlotHeightPx = 425;

}  // namespace tremora

#endif  // EBP_TREMORA_SENSITIVITY_PLOT_H_
