// One run of Yieldex: the three files, reading, the forward pass of every
// pattern, the output file, the plot and the report.
#ifndef EBP_YIELDEX_YIELDEX_RUN_H_
#define EBP_YIELDEX_YIELDEX_RUN_H_

#include <functional>
#include <optional>
#include <string>

#include "ebp/yieldex/statistics.h"
#include "surface/surface.h"

namespace yieldex {

struct YieldexFiles {
  std::string patterns;
  std::string weights;
  std::string output;
};

// The pattern, weights and output files from a command line: ".pat" added to
// a pattern name without a period, and an empty weights or output name
// taking the proposal the dialogs would make.
YieldexFiles completeFiles(const std::string& patterns, const std::string& weights,
                           const std::string& output);

struct YieldexHooks {
  std::function<void()> refresh;  // show what the plot holds so far
  std::function<void()> wait;     // the pause before computing; it may throw to
                                  // end the run, leaving the output file as it was
  // the counts, once the headers are read and before any pattern is
  // computed: the place to refuse a run that could not end well
  std::function<void(long nP, int nO)> sizes;
  std::function<void(int nO)> legend;  // show legend slots 1 .. min(nO, 17)
  // each plotted pair in pattern order, when set
  std::function<void(long pattern, int output, double y, double t)> point;
  // after every block of patterns: how many are done of how many
  std::function<void(long done, long total)> progress;
  // false: the points are not drawn (a batch run that saves no plot)
  bool drawPlot = true;
};

struct YieldexResult {
  Statistics statistics;
  std::string report;  // CR LF lines
  long patterns = 0;
  int outputs = 0;
};

// Reads the files (nI and nO from the weights header, nP from the pattern
// header), runs the network on every pattern, plots each (output, target)
// pair, writes the output file and computes the statistics.  Patterns are
// plotted a block at a time as they are computed, so after an overflow the
// plot holds every pattern before the one that overflowed.  The error
// reported is the first in the order pattern header, weights header, pattern
// records, weights, network: a bad record wins over a bad weight or an
// overflow met before it, and leaves the plot an empty frame.  The output file
// is written beside its target and moved into place once complete, before
// the statistics; a run that fails earlier leaves an existing file as it
// was.  Throws ToolError for bad files, an overflow, or a zero denominator in
// the statistics (then the output file is already complete).
YieldexResult runYieldex(const YieldexFiles& files, surface::Surface& plot,
                         const YieldexHooks& hooks);

}  // namespace yieldex

#endif  // EBP_YIELDEX_YIELDEX_RUN_H_
