#include "som/command_line.h"

#include <cmath>
#include <string_view>

#include "common/number_parse.h"
#include "map/som_files.h"

namespace som {

namespace {

// A whole number from "lo" to "hi" in "text".
bool wholeIn(std::string_view text, double lo, double hi, double& value) {
  return common::parseDecimal(text, value) && value == std::floor(value) && value >= lo &&
         value <= hi;
}

std::string badValue(std::string_view option, std::string_view value, std::string_view expected) {
  return std::string(option) + " " + std::string(value) + ": expected " + std::string(expected);
}

// "START:END", both above 0.
bool parseRadius(std::string_view text, double& start, double& end) {
  const std::size_t colon = text.find(':');
  return colon != std::string_view::npos && common::parseDecimal(text.substr(0, colon), start) &&
         common::parseDecimal(text.substr(colon + 1), end) && start > 0 && end > 0 &&
         std::isfinite(start) && std::isfinite(end);
}

// Sets the option "arg" from "value"; returns the fault.
std::string takeValue(std::string_view arg, std::string_view value, Arguments& args) {
  double number = 0;
  if (arg == "--rows" || arg == "--cols") {
    if (!wholeIn(value, 1, 32767, number)) return badValue(arg, value, "a whole number 1..32767");
    (arg == "--rows" ? args.rows : args.cols) = static_cast<int>(number);
  } else if (arg == "--epochs") {
    if (!wholeIn(value, 1, 1e6, number)) return badValue(arg, value, "a whole number 1..1000000");
    args.epochs = static_cast<int>(number);
  } else if (arg == "--labels" || arg == "--classes") {
    if (!wholeIn(value, 1, 1e6, number)) return badValue(arg, value, "a column number");
    (arg == "--labels" ? args.columns.labels : args.columns.classes) = static_cast<int>(number);
  } else if (arg == "--threads") {
    if (!wholeIn(value, 1, 256, number)) return badValue(arg, value, "a whole number 1..256");
    args.threads = static_cast<int>(number);
  } else if (arg == "--seed") {
    if (!wholeIn(value, 0, 9007199254740992.0, number)) {
      return badValue(arg, value, "a whole number from 0 to 2^53");
    }
    args.seed = static_cast<std::uint64_t>(number);
  } else if (arg == "--radius") {
    if (!parseRadius(value, args.radiusStart, args.radiusEnd)) {
      return badValue(arg, value, "START:END, two numbers above 0");
    }
    args.radiusGiven = true;
  } else if (arg == "--columns") {
    std::string fault;
    args.columns.variables = parseColumnList(std::string(value), fault);
    if (!fault.empty()) return "--columns " + fault;
  } else if (arg == "--init") {
    if (value != "pca" && value != "random") return badValue(arg, value, "pca or random");
    args.randomInit = value == "random";
  } else if (arg == "--scale-columns") {
    if (!parseScaling(std::string(value), args.scaling)) {
      return badValue(arg, value, "none, range or zscore");
    }
  } else if (arg == "--out" || arg == "--history") {
    if (value.empty()) return std::string(arg) + " needs a file name";
    (arg == "--out" ? args.prefix : args.history) = value;
  }
  return "";
}

bool takesValue(std::string_view arg) {
  for (const char* option :
       {"--rows", "--cols", "--out", "--columns", "--labels", "--classes", "--epochs", "--radius",
        "--init", "--seed", "--scale-columns", "--history", "--threads"}) {
    if (arg == option) return true;
  }
  return false;
}

}  // namespace

std::string parseArguments(int argc, const char* const* argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (takesValue(arg)) {
      if (i + 1 == argc) return std::string(arg) + " needs a value";
      if (std::string fault = takeValue(arg, argv[++i], args); !fault.empty()) return fault;
    } else if (arg == "--header") {
      args.columns.header = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option \"" + std::string(arg) + "\"";
    } else if (!args.data.empty()) {
      return "a second table \"" + std::string(arg) + "\"";
    } else {
      if (arg.empty()) return "an empty file name";
      args.data = arg;
    }
  }
  if (args.data.empty()) return "no data table";
  if (args.rows == 0 || args.cols == 0) return "--rows and --cols are needed";
  if (args.prefix.empty()) return "--out PREFIX is needed";
  if (static_cast<double>(args.rows) * args.cols > map::kMostUnits) {
    return "a map of " + std::to_string(args.rows) + " x " + std::to_string(args.cols) +
           " units is more than Favomap5 can show";
  }
  return "";
}

}  // namespace som
