#include "ebp/yieldex/file_dialogs.h"

#include "ebp/yieldex/names.h"

namespace yieldex {

std::optional<YieldexFiles> chooseFiles(ui::Toolkit& toolkit) {
  using Kind = ui::FileChoice::Kind;
  YieldexFiles files;
  auto patterns = toolkit.chooseFile(
      {Kind::kOpen, "", "All Files (*.*)|*.*|Patterns Files(*.pat)|*.pat", 2, "", true, false, ""});
  if (!patterns) return std::nullopt;
  files.patterns = withExtension(*patterns, ".pat");
  auto weights = toolkit.chooseFile(
      {Kind::kOpen, "",
       "All Files (*.*)|*.*|Weights Files(*.wgt)|*.wgt|ONNX networks (*.onnx)|*.onnx", 2,
       proposedName(files.patterns, ".wgt"), true, false, ""});
  if (!weights) return std::nullopt;
  files.weights = withExtension(*weights, ".wgt");
  auto output =
      toolkit.chooseFile({Kind::kSave, "", "All Files (*.*)|*.*|Output Files(*.out)|*.out", 2,
                          proposedName(files.weights, ".out"), false, true, ""});
  if (!output) return std::nullopt;
  files.output = *output;
  return files;
}

}  // namespace yieldex
