#include "ebp/tremora/file_dialogs.h"

#include "ebp/tremora/program_files.h"

namespace tremora {

std::optional<SensitivityFiles> chooseFiles(ui::Toolkit& toolkit, const std::string& programDir) {
  using Kind = ui::FileChoice::Kind;
  ui::FileChoice patterns{Kind::kOpen,
                          "Open patterns file",
                          "Patterns (*.pat)|*.pat|All files (*.*)|*.*",
                          1,
                          "",
                          true,
                          false,
                          "pat"};
  const auto p = toolkit.chooseFile(patterns);
  if (!p) return std::nullopt;
  ui::FileChoice weights{
      Kind::kOpen,
      "Open synaptic weights data file",
      "Synaptic weights (*.wgt)|*.wgt|All files (*.*)|*.*|ONNX networks (*.onnx)|*.onnx",
      1,
      "",
      true,
      false,
      "wgt"};
  const auto w = toolkit.chooseFile(weights);
  if (!w) return std::nullopt;
  const ProgramFiles own = programFiles(programDir);
  return SensitivityFiles{*p, *w, own.results, own.noise};
}

}  // namespace tremora
