#include "ebp/tremora/tremora_run.h"

namespace ebp {

TremoraOutcome runTremora(const SensitivityFiles& files, const SensitivityHooks& hooks,
                          UniformRandom& random, surface::Surface& plot) {
  TremoraOutcome outcome;
  outcome.run = sens_main(files, hooks, random);
  outcome.table = rereadResults(files, outcome.run.levels, outcome.run.nI);
  outcome.data = dataPage(outcome.table);
  outcome.info = infoPage(files, outcome.run);
  outcome.plot = drawSensitivityPlot(plot, outcome.table);
  return outcome;
}

}  // namespace ebp
