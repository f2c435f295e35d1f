#include "ebp/tremora/tremora_run.h"

namespace ebp {

std::optional<SensitivityFiles> chooseFiles(surface::Toolkit& toolkit,
                                            const std::string& programDir) {
  using Kind = surface::FileChoice::Kind;
  surface::FileChoice patterns{Kind::kOpen,
                               "Open patterns file",
                               "Patterns (*.pat)|*.pat|All files (*.*)|*.*",
                               1,
                               "",
                               true,
                               false,
                               "pat"};
  const auto p = toolkit.chooseFile(patterns);
  if (!p) return std::nullopt;
  surface::FileChoice weights{Kind::kOpen,
                              "Open synaptic weights data file",
                              "Synaptic weights (*.wgt)|*.wgt|All files (*.*)|*.*",
                              1,
                              "",
                              true,
                              false,
                              "wgt"};
  const auto w = toolkit.chooseFile(weights);
  if (!w) return std::nullopt;
  const std::string dir =
      programDir.empty() || programDir.back() == '/' ? programDir : programDir + "/";
  return SensitivityFiles{*p, *w, dir + "test.err", dir + "noise.cfg"};
}

TremoraOutcome runTremora(const SensitivityFiles& files, const SensitivityHooks& hooks,
                          UniformRandom& random, surface::Surface& plot) {
  TremoraOutcome outcome;
  outcome.run = sens_main(files, hooks, random);
  outcome.table = rereadResults(files, outcome.run.levels, outcome.run.nI);
  outcome.data = dataPage(outcome.table);
  outcome.info = infoPage(files, outcome.run);
  outcome.noPlot = drawSensitivityPlot(plot, outcome.table);
  return outcome;
}

}  // namespace ebp
