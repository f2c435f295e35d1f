#include "roc/command_line.h"

#include <cstring>

namespace roc {

bool parseArguments(int argc, const char* const* argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--picture") == 0) {
      if (i + 1 >= argc || args.positional.empty()) return false;
      args.picture = argv[++i];
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  return !args.positional.empty();
}

}  // namespace roc
