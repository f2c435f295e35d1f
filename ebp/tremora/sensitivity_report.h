// What Tremora shows of a finished analysis: the errors reread from
// test.err as relative changes, the Data and Info page texts and the plot.
#ifndef EBP_TREMORA_SENSITIVITY_REPORT_H_
#define EBP_TREMORA_SENSITIVITY_REPORT_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/colour.h"
#include "ebp/tremora/sensitivity.h"
#include "surface/surface.h"

namespace ebp {

// The results as reread, in single precision: E0, the noise levels (from
// noise.cfg again) and the relative changes D[l][i] = E[l][i] / E0 - 1.
struct SensitivityTable {
  float e0 = 0;
  std::vector<float> levels;
  std::vector<std::vector<float>> change;  // [level][input]
  float dmax = 0;                          // the largest of 0 and every D
  float dmin = 0;                          // the smallest of 0 and every D
  float range = 0;                         // |dmin| + dmax
};

// Sets dmax, dmin and range from the changes: dmax the largest of 0 and every
// D, dmin the smallest (starting from 9e9, then 0 when it ends above 0).
void measureRange(SensitivityTable& table);

// Rereads test.err (its three header lines skipped whole, then E0 and
// levels x nI errors) and the levels of noise.cfg.  E0 = 0 is a division by
// zero error.
SensitivityTable rereadResults(const SensitivityFiles& files, int levels, int nI);

// The Data page: E0, the table of relative changes per level and input.
std::string dataPage(const SensitivityTable& table);

// The Info page: files and counts of the run.
std::string infoPage(const SensitivityFiles& files, const SensitivityRun& run);

// Draws the relative change against the noise level, one curve per input,
// with grid, frame, zero line, axes and legend.  When the levels or the
// changes span nothing (a last level of 0, or no level changing any error)
// there is no plot: the picture is left blank and the reason returned.
std::optional<std::string> drawSensitivityPlot(surface::Surface& plot,
                                               const SensitivityTable& table);

// The labels of the horizontal axis for the last level "llast": 0, then
// steps of 0.05 ("##0.0%") below 0.5 or 0.1 ("##0%") from it, accumulated,
// up to Int(10 llast) / 10, where 10 llast is a single-precision product (so
// a last level of 0.7 ends at 0.7, not at 0.6).
std::vector<std::pair<double, std::string>> levelLabels(float llast);

// The ticks of the vertical axis: 0 and steps of 0.5 (1 from Dmax 3 on) up
// to Dmax, then, when -step lies above Dmin, -step, -2 step, ... down to Dmin.
std::vector<double> changeTicks(double dmax, double dmin);

// The colour of input i's curve and legend entry: palette colour i mod 15.
common::Colour inputColour(int i);

inline constexpr int kPlotWidthPx = 617;
inline constexpr int kPlotHeightPx = 425;

}  // namespace ebp

#endif  // EBP_TREMORA_SENSITIVITY_REPORT_H_
