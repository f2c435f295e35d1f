// The Data and Info pages of Tremora's window (and of its batch report).
#ifndef EBP_TREMORA_SENSITIVITY_PAGES_H_
#define EBP_TREMORA_SENSITIVITY_PAGES_H_

#include <string>

#include "ebp/tremora/sensitivity.h"
#include "ebp/tremora/sensitivity_results.h"

namespace tremora {

// The Data page: E0, the table of relative changes per level and input.
std::string dataPage(const SensitivityTable& table);

// The Info page: files and counts of the run.
std::string infoPage(const SensitivityFiles& files, const SensitivityRun& run);

}  // namespace tremora

#endif  // EBP_TREMORA_SENSITIVITY_PAGES_H_
