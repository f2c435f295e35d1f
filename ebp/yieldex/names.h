// The file names Yieldex proposes and completes.
#ifndef EBP_YIELDEX_NAMES_H_
#define EBP_YIELDEX_NAMES_H_

#include <string>

namespace yieldex {

// "name" with "extension" (".pat", ".wgt") appended when it holds no period
// anywhere (a period in a folder name counts).
std::string withExtension(const std::string& name, const std::string& extension);

// The proposal made from "path": everything before its first period (in the
// whole path, folders included) followed by "extension".
std::string proposedName(const std::string& path, const std::string& extension);

}  // namespace yieldex

#endif  // EBP_YIELDEX_NAMES_H_
