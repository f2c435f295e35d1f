#include "kappa/command_line.h"

#include <string_view>

#include "common/number_parse.h"

namespace kappa {

std::string parseArguments(int argc, const char* const* argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool takesValue = arg == "--weights" || arg == "--level";
    if (takesValue && i + 1 == argc) return std::string(arg) + " needs a value";
    const std::string_view value = takesValue ? argv[++i] : "";
    if (arg == "--details") {
      args.details = true;
    } else if (arg == "--weights") {
      if (value.empty()) return "--weights needs none, linear, quadratic or a file";
      args.weights = value;
    } else if (arg == "--level") {
      double level = 0;
      if (!common::parseDecimal(value, level) || !(level > 0 && level < 1)) {
        return "--level " + std::string(value) + ": expected a level strictly between 0 and 1";
      }
      args.level = level;
      args.levelGiven = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option \"" + std::string(arg) + "\"";
    } else if (!args.matrix.empty()) {
      return "a second input \"" + std::string(arg) + "\": give one MATRIX";
    } else {
      args.matrix = arg;
    }
  }
  if (args.matrix.empty() && (!args.weights.empty() || args.levelGiven)) {
    return "options without an input: give MATRIX";
  }
  return "";
}

}  // namespace kappa
