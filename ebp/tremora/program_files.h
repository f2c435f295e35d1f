// Where Tremora keeps the files it has beside itself.
#ifndef EBP_TREMORA_PROGRAM_FILES_H_
#define EBP_TREMORA_PROGRAM_FILES_H_

#include <string>

namespace tremora {

struct ProgramFiles {
  std::string results;  // test.err
  std::string noise;    // noise.cfg
};

// test.err and noise.cfg of the program in "programDir" (with or without a
// closing slash; empty means the current folder): in that folder, unless
// the program is installed or the folder is not writable; then noise.cfg is
// the user's (created from the installed default the first time) and
// test.err goes to the user's data folder, which is made when missing.
// Throws ToolError when those folders cannot be made.
ProgramFiles programFiles(const std::string& programDir);

}  // namespace tremora

#endif  // EBP_TREMORA_PROGRAM_FILES_H_
