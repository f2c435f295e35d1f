// The output-against-target plot of Yieldex.
#ifndef EBP_YIELDEX_PLOT_H_
#define EBP_YIELDEX_PLOT_H_

#include "common/colour.h"
#include "surface/surface.h"

namespace yieldex {

inline constexpr int kPlotSizePx = 473;

// The palette index of output k: (k + 8) mod 16, with 7 shown as 14 and 15
// as 1 (so that no output is light grey or white).
int outputColourIndex(int k);
common::Colour outputColour(int k);

// The empty frame: the unit square in white with margins, the dotted
// diagonal, a box of width 2, "NN OUTPUT" under the horizontal axis and
// TARGET spelled down the vertical one.
void initPlot(surface::Surface& plot);

// The point of output k of one pattern: a circle of radius 0.005 at
// (network output, target).
void plotPoint(surface::Surface& plot, int k, double output, double target);

}  // namespace yieldex

#endif  // EBP_YIELDEX_PLOT_H_
