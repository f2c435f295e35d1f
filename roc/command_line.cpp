#include "roc/command_line.h"

#include <cstdlib>
#include <cstring>

namespace roc {

bool parseArguments(int argc, const char* const* argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--picture") == 0) {
      if (i + 1 >= argc || args.positional.empty()) return false;
      args.picture = argv[++i];
    } else if (std::strcmp(argv[i], "--table") == 0) {
      if (i + 1 >= argc || args.positional.empty()) return false;
      args.table = argv[++i];
    } else if (std::strcmp(argv[i], "--report") == 0) {
      if (args.positional.empty()) return false;
      args.report = true;
    } else if (std::strcmp(argv[i], "--header") == 0) {
      args.header = true;
    } else if (std::strcmp(argv[i], "--compare") == 0) {
      if (i + 1 >= argc || args.positional.empty()) return false;
      args.compare = argv[++i];
    } else if (std::strcmp(argv[i], "--level") == 0) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      args.level = std::strtod(argv[++i], &end);
      if (*argv[i] == '\0' || *end != '\0' || !(args.level > 0 && args.level < 1)) return false;
      // So close to 1 that the upper tail's quantile is 1 itself: no interval.
      if (!(args.level + (1 - args.level) / 2 < 1)) return false;
    } else if (std::strcmp(argv[i], "--scale") == 0) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      const long n = std::strtol(argv[++i], &end, 10);
      if (*argv[i] == '\0' || *end != '\0' || n < 1 || n > 8) return false;
      args.scale = static_cast<int>(n);
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      args.problem = std::string("unknown option ") + argv[i];
      return false;
    } else if (args.positional.size() == 2) {
      args.problem = std::string("one argument too many: ") + argv[i];
      return false;
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  return !args.positional.empty();
}

}  // namespace roc
