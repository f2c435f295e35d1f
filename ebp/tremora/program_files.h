// Where Tremora keeps the files it has beside itself.
#ifndef EBP_TREMORA_PROGRAM_FILES_H_
#define EBP_TREMORA_PROGRAM_FILES_H_

#include <string>

namespace ebp {

struct ProgramFiles {
  std::string results;  // test.err
  std::string noise;    // noise.cfg
};

// test.err and noise.cfg in the program's folder "programDir" (with or
// without a closing slash; empty means the current folder).
ProgramFiles programFiles(const std::string& programDir);

}  // namespace ebp

#endif  // EBP_TREMORA_PROGRAM_FILES_H_
