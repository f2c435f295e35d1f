#include "ebp/tremora/tremora_run.h"

#include "common/output_file.h"

namespace tremora {

TremoraOutcome runTremora(const SensitivityFiles& files, const SensitivityHooks& hooks,
                          UniformRandom& random, surface::Surface& plot) {
  // Checked before the work, which may take minutes: results written over an
  // input would destroy it.
  common::checkOutputs({files.patterns, files.weights, files.noise}, {files.results});
  TremoraOutcome outcome;
  outcome.run = runSensitivity(files, hooks, random);
  // Complete before it replaces the old results; in a batch run, only once
  // every other output is complete too.
  common::OutputFile results(files.results);
  results.write(outcome.run.results);
  results.commit();
  outcome.table = rereadResults(files, outcome.run.results, outcome.run.levels, outcome.run.nI);
  outcome.data = dataPage(outcome.table);
  outcome.info = infoPage(files, outcome.run);
  outcome.plot = drawSensitivityPlot(plot, outcome.table);
  return outcome;
}

}  // namespace tremora
