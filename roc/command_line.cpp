#include "roc/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

}  // namespace

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
    } else if (std::strcmp(argv[i], "--unpaired") == 0) {
      args.unpaired = true;
    } else if (std::strcmp(argv[i], "--multiclass") == 0) {
      args.multiclass = true;
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
    } else if (args.positional.size() == 2) {
      args.problem = std::string("one argument too many: ") + argv[i];
      return false;
    } else {
      args.positional.emplace_back(argv[i]);
    }
  }
  if ((args.unpaired || args.bootstrapMethod) && args.compare.empty()) {
    args.problem = "--unpaired and --method compare two classifiers: give --compare OTHER";
    return false;
  }
  if (args.multiclass &&
      (!args.picture.empty() || args.scale != 1 || args.report || !args.compare.empty() ||
       args.positional.size() > 1 || args.wantsBootstrap() || args.level != 0.95)) {
    args.problem = "--multiclass prints its own report and takes only --table and --header";
    return false;
  }
  return !args.positional.empty();
}

}  // namespace roc
