// One run of Tremora: the analysis, then what the window shows of it.
#ifndef EBP_TREMORA_TREMORA_RUN_H_
#define EBP_TREMORA_TREMORA_RUN_H_

#include <optional>
#include <string>

#include "ebp/tremora/sensitivity.h"
#include "ebp/tremora/sensitivity_pages.h"
#include "ebp/tremora/sensitivity_plot.h"
#include "ebp/tremora/sensitivity_results.h"
#include "surface/surface.h"

namespace tremora {

struct TremoraOutcome {
  SensitivityRun run;
  SensitivityTable table;
  std::string data;  // the Data page
  std::string info;  // the Info page
  PlotOutcome plot = PlotOutcome::kDrawn;
};

// runSensitivity, the reread of the results, both pages and the plot.  Throws
// ToolError (bad files, an overflow, E0 = 0 after test.err is complete).
TremoraOutcome runTremora(const SensitivityFiles& files, const SensitivityHooks& hooks,
                          UniformRandom& random, surface::Surface& plot);

}  // namespace tremora

#endif  // EBP_TREMORA_TREMORA_RUN_H_
