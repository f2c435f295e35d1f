// Tremora's file dialogs.
#ifndef EBP_TREMORA_FILE_DIALOGS_H_
#define EBP_TREMORA_FILE_DIALOGS_H_

#include <optional>
#include <string>

#include "ebp/tremora/sensitivity.h"
#include "ui/toolkit.h"

namespace tremora {

// The two open dialogs, "Open patterns file" and "Open synaptic weights data
// file"; nothing when one is cancelled (the run then ends, touching no file).
// The results and noise files are "programDir"/test.err and noise.cfg.
std::optional<SensitivityFiles> chooseFiles(ui::Toolkit& toolkit, const std::string& programDir);

}  // namespace tremora

#endif  // EBP_TREMORA_FILE_DIALOGS_H_
