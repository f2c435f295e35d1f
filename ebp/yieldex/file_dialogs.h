// Yieldex's file dialogs.
#ifndef EBP_YIELDEX_FILE_DIALOGS_H_
#define EBP_YIELDEX_FILE_DIALOGS_H_

#include <optional>

#include "ebp/yieldex/yieldex_run.h"
#include "ui/toolkit.h"

namespace yieldex {

// The three file dialogs, with their filters and proposals: the pattern file
// (".pat" added to a name without a period), the weights file (proposed from
// the pattern file's path up to its first period; ".wgt" added likewise) and
// the output file (proposed from the weights file's path; used as chosen).
// Nothing when one is cancelled: the run ends there, touching no file.
std::optional<YieldexFiles> chooseFiles(ui::Toolkit& toolkit);

}  // namespace yieldex

#endif  // EBP_YIELDEX_FILE_DIALOGS_H_
