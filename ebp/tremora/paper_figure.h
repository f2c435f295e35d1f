// Tremora's figure for a paper: the relative change of the error against the
// noise level, a curve per input, on axes with tick labels, with a legend
// of the inputs and, after several rounds, error bars.
#ifndef EBP_TREMORA_PAPER_FIGURE_H_
#define EBP_TREMORA_PAPER_FIGURE_H_

#include <vector>

#include "common/figure_options.h"
#include "ebp/tremora/sensitivity_results.h"
#include "surface/figure.h"

namespace tremora {

// The figure of "table" (whose levels and changes span something: the
// exact plot was drawn): a curve per input in the colour-blind-safe series
// pens, a dot at each level, the dotted zero line, a legend of "input 1",
// "input 2", ... at the right (in columns when they do not fit in one).
// "roundSpread" ([level][input], the standard deviation of the error
// across rounds, NaN or missing where there is none) adds bars of +-1
// standard deviation of the relative change (the spread over E0).
// "settings" gives the size (12 x 12 cm) and the title.
surface::Figure paperFigure(const SensitivityTable& table,
                            const std::vector<std::vector<double>>& roundSpread,
                            const common::FigureSettings& settings);

}  // namespace tremora

#endif  // EBP_TREMORA_PAPER_FIGURE_H_
