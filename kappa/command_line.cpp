#include "kappa/command_line.h"

#include <string_view>

namespace kappa {

std::string commandLineFault(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--details") continue;
    if (arg.size() > 1 && arg[0] == '-') return "unknown option \"" + std::string(arg) + "\"";
    return "unexpected argument \"" + std::string(arg) +
           "\": the file names are answers to its questions";
  }
  return "";
}

}  // namespace kappa
