#include "kappa/command_line.h"

#include <string_view>

#include "common/number_parse.h"

namespace kappa {
namespace {

// Sets the input "slot" to "name"; the fault when an input was given already.
std::string takeInput(std::string& slot, std::string_view name, const Arguments& args) {
  if (!args.matrix.empty() || !args.ratings.empty() || !args.fleiss.empty()) {
    return "a second input \"" + std::string(name) +
           "\": give one of MATRIX, --ratings FILE and --fleiss FILE";
  }
  if (name.empty()) return "an empty file name";
  slot = name;
  return "";
}

// The fault of options given for another input than the one given.
std::string misplacedOption(const Arguments& args) {
  const bool twoRaters = !args.matrix.empty() || !args.ratings.empty();
  const bool anyInput = twoRaters || !args.fleiss.empty();
  const bool twoRaterOption = !args.weights.empty() || args.levelGiven;
  if (!anyInput && (twoRaterOption || args.header || args.counts)) {
    return "options without an input: give MATRIX, --ratings FILE or --fleiss FILE";
  }
  if (!args.fleiss.empty() && (twoRaterOption || args.details)) {
    return "--weights, --level and --details are for two raters, not --fleiss";
  }
  if (args.header && args.ratings.empty() && args.fleiss.empty()) {
    return "--header is for --ratings and --fleiss files";
  }
  if (args.counts && args.fleiss.empty()) return "--counts is for --fleiss files";
  return "";
}

}  // namespace

std::string parseArguments(int argc, const char* const* argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool takesValue =
        arg == "--weights" || arg == "--level" || arg == "--ratings" || arg == "--fleiss";
    if (takesValue && i + 1 == argc) return std::string(arg) + " needs a value";
    const std::string_view value = takesValue ? argv[++i] : "";
    std::string fault;
    if (arg == "--details") {
      args.details = true;
    } else if (arg == "--header") {
      args.header = true;
    } else if (arg == "--counts") {
      args.counts = true;
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
    } else if (arg == "--ratings") {
      fault = takeInput(args.ratings, value, args);
    } else if (arg == "--fleiss") {
      fault = takeInput(args.fleiss, value, args);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option \"" + std::string(arg) + "\"";
    } else {
      fault = takeInput(args.matrix, arg, args);
    }
    if (!fault.empty()) return fault;
  }
  return misplacedOption(args);
}

}  // namespace kappa
