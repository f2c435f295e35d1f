// The ROC figure for a paper: one or more classifiers' exact curves on
// axes, the chance diagonal, each best point with its threshold, the
// bootstrap band when asked, and a legend of the AUCs with their intervals.
#ifndef ROC_PAPER_FIGURE_H_
#define ROC_PAPER_FIGURE_H_

#include <string>
#include <vector>

#include "roc/command_line.h"
#include "roc/figure_curve.h"
#include "surface/figure.h"

namespace roc {

// The legend's row of "curve": "AUC 0.952 (95% CI 0.931–0.973)", after
// "NAME: " when the figure holds several curves ("named").
std::string legendText(const CurveForFigure& curve, bool named);

// The figure of "curves" at the request's size, with its title.
surface::Figure rocFigure(const std::vector<CurveForFigure>& curves, const FigureRequest& request);

// Draws the figure and saves it to request.path (SVG, PDF, or a bitmap at
// "scale"); throws ToolError when it cannot be written.
void saveRocFigure(const std::vector<CurveForFigure>& curves, const FigureRequest& request,
                   int scale);

}  // namespace roc

#endif  // ROC_PAPER_FIGURE_H_
