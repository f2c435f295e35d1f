#include "roc/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <utility>

#include "common/figure_options.h"
#include "common/strings.h"
#include "roc/point_list.h"

namespace roc {
namespace {

// "text" as a comma-separated list of numbers from 0 to 1, into "out";
// false when it is anything else.
bool parseRates(const char* text, std::vector<double>& out) {
  out.clear();
  const char* at = text;
  do {
    char* end = nullptr;
    const double v = std::strtod(at, &end);
    if (end == at || !(v >= 0 && v <= 1) || (*end != ',' && *end != '\0')) return false;
    out.push_back(v);
    at = *end == ',' ? end + 1 : end;
  } while (*at != '\0' || at[-1] == ',');
  return true;
}

bool parseWhole(const char* text, unsigned long long largest, unsigned long long& out) {
  if (*text < '0' || *text > '9') return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtoull(text, &end, 10);
  return *end == '\0' && errno == 0 && out <= largest;
}

// Parses the value of one of the statistics options at argv[i]; false
// (with "problem" set) when it is not one of them or its value is bad.
bool parseStatisticsOption(const char* option, const char* value, Arguments& args) {
  unsigned long long whole = 0;
  bool good = false;
  if (std::strcmp(option, "--bootstrap") == 0) {
    good = parseWhole(value, 1000000, whole) && whole > 0;
    args.bootstrap = static_cast<long>(whole);
    if (!good)
      args.problem =
          std::string("--bootstrap takes a whole number from 1 to 1000000, not ") + value;
  } else if (std::strcmp(option, "--seed") == 0) {
    good = parseWhole(value, ~0ull, whole);
    args.seed = whole;
    if (!good)
      args.problem =
          std::string("--seed takes a whole number from 0 to 18446744073709551615, not ") + value;
  } else if (std::strcmp(option, "--se-at") == 0 || std::strcmp(option, "--sp-at") == 0) {
    const bool se = option[3] == 'e';
    good = parseRates(value, se ? args.seAt : args.spAt);
    if (!good) {
      args.problem = std::string(option) + " takes " + (se ? "specificities" : "sensitivities") +
                     " from 0 to 1 separated by commas, not " + value;
    }
  } else if (std::strcmp(option, "--method") == 0) {
    good = std::strcmp(value, "delong") == 0 || std::strcmp(value, "bootstrap") == 0;
    args.bootstrapMethod = std::strcmp(value, "bootstrap") == 0;
    if (!good) args.problem = std::string("--method takes delong or bootstrap, not ") + value;
  } else if (std::strcmp(option, "--partial-fpr") == 0) {
    char* end = nullptr;
    args.partialFrom = std::strtod(value, &end);
    const char* to = end;
    good = end != value && *end == ':';
    if (good) {
      args.partialTo = std::strtod(to + 1, &end);
      good = end != to + 1 && *end == '\0' && args.partialFrom >= 0 &&
             args.partialFrom < args.partialTo && args.partialTo <= 1;
    }
    args.partial = good;
    if (!good) {
      args.problem = std::string("--partial-fpr takes A:B with 0 <= A < B <= 1, not ") + value;
    }
  }
  return good;
}

bool isStatisticsOption(const char* option) {
  for (const char* name :
       {"--bootstrap", "--seed", "--se-at", "--sp-at", "--partial-fpr", "--method"}) {
    if (std::strcmp(option, name) == 0) return true;
  }
  return false;
}

// "text" as --size's WxH in centimetres (common::parseFigureSize's rule).
bool parseSize(const char* text, FigureRequest& figure) {
  const std::optional<common::FigureSizeCm> size = common::parseFigureSize(text);
  if (!size) return false;
  figure.widthCm = size->width;
  figure.heightCm = size->height;
  return true;
}

// "text" as --names' comma-separated names, none empty.
bool parseNames(const char* text, std::vector<std::string>& names) {
  names.clear();
  std::string_view rest(text);
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::string_view name = common::trimBlanks(rest.substr(0, comma));
    if (name.empty()) return false;
    names.emplace_back(name);
    if (comma == std::string_view::npos) return true;
    rest.remove_prefix(comma + 1);
  }
}

// Parses the value of one of the figure options but --ci-band into
// args.figure, --style's into "style"; false (with "problem" set) when it
// is bad.
bool parseFigureOption(const char* option, const char* value, Arguments& args, std::string& style) {
  FigureRequest& figure = args.figure;
  if (std::strcmp(option, "--figure") == 0) {
    figure.path = value;
    if (figure.path.empty()) args.problem = "--figure needs a file name";
    return !figure.path.empty();
  }
  if (std::strcmp(option, "--style") == 0) {
    style = value;
    if (!common::pictureStyleNamed(style)) {
      args.problem = std::string("--style takes exact or paper, not ") + value;
      return false;
    }
    return true;
  }
  if (std::strcmp(option, "--names") == 0) {
    if (!parseNames(value, figure.names)) {
      args.problem = std::string("--names takes names separated by commas, none empty, not ") +
                     (*value == '\0' ? "an empty list" : value);
      return false;
    }
    return true;
  }
  if (std::strcmp(option, "--title") == 0) {
    figure.title = value;
    return true;
  }
  if (!parseSize(value, figure)) {
    args.problem = std::string(
                       "--size takes WxH in centimetres, each above 0 and at most 100 "
                       "(12x12), not ") +
                   value;
    return false;
  }
  return true;
}

bool isFigureOption(const char* option) {
  for (const char* name : {"--figure", "--style", "--names", "--title", "--size"}) {
    if (std::strcmp(option, name) == 0) return true;
  }
  return false;
}

// What the options hold that several input files cannot take; empty when
// nothing.
std::string severalFilesConflict(const Arguments& args) {
  const char* conflict = !args.compare.empty()   ? "--compare"
                         : args.multiclass       ? "--multiclass"
                         : !args.table.empty()   ? "--table"
                         : !args.picture.empty() ? "--picture"
                                                 : nullptr;
  for (const std::string& file : args.positional) {
    if (conflict == nullptr && wantsPointList(file)) conflict = "roc (the point list)";
  }
  if (conflict != nullptr) {
    return std::string(conflict) + " takes one input file, not " +
           std::to_string(args.positional.size());
  }
  if (args.figure.path.empty() && !args.report) {
    return "several input files need --figure FILE or --report";
  }
  return "";
}

// Checks the figure options against each other and against the input
// files, after all are read; false (with "problem" set) on a conflict.
bool checkFigureOptions(Arguments& args, const std::string& style, bool figureGiven) {
  FigureRequest& figure = args.figure;
  args.several = args.positional.size() > 2 ||
                 (args.positional.size() == 2 && (figureGiven || !figure.names.empty()) &&
                  !wantsPointList(args.positional[1]));
  if (args.several) args.problem = severalFilesConflict(args);
  if (figureGiven && style == "exact") {
    args.problem = "--figure draws the paper style: it does not go with --style exact";
  } else if (style == "paper" && !figureGiven && args.picture.empty()) {
    args.problem = "--style paper draws into a file: give --picture FILE or --figure FILE";
  } else if (style == "paper" && figureGiven && !args.picture.empty()) {
    args.problem = "--style paper makes --picture the figure: give it or --figure, not both";
  }
  if (!args.problem.empty()) return false;
  figure.paper = figureGiven || style == "paper";
  // With --style paper the picture is the figure: the exact one is not drawn.
  if (style == "paper" && !figureGiven) figure.path = std::exchange(args.picture, std::string());
  if (!figure.names.empty() && figure.names.size() != args.inputFiles().size()) {
    args.problem = "--names gives one name per input file: " + std::to_string(figure.names.size()) +
                   " for " + std::to_string(args.inputFiles().size()) + " files";
    return false;
  }
  if (!figure.paper &&
      (figure.ciBand || !figure.title.empty() || figure.widthCm != 12 || figure.heightCm != 12)) {
    args.problem =
        "--ci-band, --title and --size dress the paper figure: give --figure FILE or --style paper";
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> Arguments::inputFiles() const {
  if (several) return positional;
  if (positional.empty()) return {};
  return {positional[0]};
}

std::vector<std::string> Arguments::curveNames() const {
  if (!figure.names.empty()) return figure.names;
  std::vector<std::string> names;
  for (const std::string& file : inputFiles()) {
    names.push_back(
        std::filesystem::path(std::string(common::trimBlanks(file))).filename().string());
  }
  return names;
}

bool parseArguments(int argc, const char* const* argv, Arguments& args) {
  std::string style;
  bool figureGiven = false;
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
    } else if (std::strcmp(argv[i], "--unpaired") == 0) {
      args.unpaired = true;
    } else if (std::strcmp(argv[i], "--multiclass") == 0) {
      args.multiclass = true;
    } else if (std::strcmp(argv[i], "--ci-band") == 0) {
      args.figure.ciBand = true;
    } else if (isFigureOption(argv[i])) {
      if (i + 1 >= argc) {
        args.problem = std::string(argv[i]) + " needs a value";
        return false;
      }
      figureGiven = figureGiven || std::strcmp(argv[i], "--figure") == 0;
      const char* option = argv[i];
      if (!parseFigureOption(option, argv[++i], args, style)) return false;
    } else if (isStatisticsOption(argv[i])) {
      if (i + 1 >= argc) {
        args.problem = std::string(argv[i]) + " needs a value";
        return false;
      }
      const char* option = argv[i];
      if (!parseStatisticsOption(option, argv[++i], args)) return false;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      args.problem = std::string("unknown option ") + argv[i];
      return false;
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  if (!checkFigureOptions(args, style, figureGiven)) return false;
  if ((args.unpaired || args.bootstrapMethod) && args.compare.empty()) {
    args.problem = "--unpaired and --method compare two classifiers: give --compare OTHER";
    return false;
  }
  if (args.multiclass &&
      (!args.picture.empty() || args.scale != 1 || args.report || !args.compare.empty() ||
       args.positional.size() > 1 || args.wantsBootstrap() || args.level != 0.95 ||
       args.figure.paper || !args.figure.names.empty())) {
    args.problem = "--multiclass prints its own report and takes only --table and --header";
    return false;
  }
  return !args.positional.empty();
}

}  // namespace roc
