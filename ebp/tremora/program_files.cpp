#include "ebp/tremora/program_files.h"

namespace ebp {

ProgramFiles programFiles(const std::string& programDir) {
  const std::string dir =
      programDir.empty() || programDir.back() == '/' ? programDir : programDir + "/";
  return {dir + "test.err", dir + "noise.cfg"};
}

}  // namespace ebp
