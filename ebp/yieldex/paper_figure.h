// Yieldex's figure for a paper: the network's outputs against their targets
// on axes with tick labels and a legend of the outputs, and, for targets
// all 0 or 1, a reliability diagram beside it.
#ifndef EBP_YIELDEX_PAPER_FIGURE_H_
#define EBP_YIELDEX_PAPER_FIGURE_H_

#include <vector>

#include "common/figure_options.h"
#include "surface/figure.h"

namespace yieldex {

// One plotted pair: output k (from 1) of a pattern and its target.
struct PlottedPair {
  int output = 1;
  double y = 0;
  double target = 0;
};

// One bin of a reliability diagram: the mean network output of the patterns
// whose output fell in it, the share of those whose target is 1, and how
// many there were.
struct CalibrationBin {
  double meanOutput = 0;
  double frequency = 0;
  long count = 0;
};

// True when every target of "pairs" is 0 or 1 (and there is at least one).
bool targetsAreZeroOrOne(const std::vector<PlottedPair>& pairs);

// The reliability diagram of output "k": 10 bins of width 0.1 over [0, 1]
// of the output (below 0 counts in the first, 1 and above in the last), in
// ascending order; a bin no pattern fell in is left out.
std::vector<CalibrationBin> calibrationBins(const std::vector<PlottedPair>& pairs, int k);

// The figure of "pairs" from a network of "outputs" outputs: each pair a
// dot in its output's colour, axes spanning the unit square (wider when a
// value lies outside it), a legend row per output; with "calibration" the
// reliability diagram of every output in a second panel at the right.
// "settings" gives the size (12 x 12 cm, 24 x 12 with the second panel)
// and the title.
surface::Figure paperFigure(const std::vector<PlottedPair>& pairs, int outputs,
                            const common::FigureSettings& settings, bool calibration);

}  // namespace yieldex

#endif  // EBP_YIELDEX_PAPER_FIGURE_H_
