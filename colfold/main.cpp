// Colfold: rewrites an ASCII data table as one value per line behind three
// header lines (input nodes, output nodes, patterns): the layout of a
// pattern file.
//
//   Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>
//   Colfold              (then answer its questions)
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colfold/arguments.h"
#include "colfold/conversion.h"
#include "colfold/dialogue.h"
#include "common/console.h"
#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "common/progress.h"
#include "common/strings.h"

namespace {

constexpr const char* kHelp =
    "usage: Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n"
    "       Colfold   (then answer its questions, or pipe the answers in)\n"
    "\n"
    "Writes every number of the input table (separated by blanks, tabs, commas or line\n"
    "ends; an empty field is 0) on a line of its own, after three lines holding the\n"
    "three counts as given: the layout of a pattern file.  The output replaces an old\n"
    "file only when complete.  A warning on standard error says when a count is not a\n"
    "whole number or the table holds other than (inputs + outputs) x patterns numbers.\n"
    "Exit status: 0 done; 1 an input that cannot be read, a field that is not a number,\n"
    "an output that cannot be written, an option, or more than five fields (the\n"
    "arguments cut at blanks).\n";

// The count a header field holds, when it is a whole number (blanks around
// it allowed, as the pattern readers take them).
std::optional<long long> wholeCount(const std::string& text) {
  const std::string_view t = common::trimBlanks(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || error != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return value;
}

// Warns when the three counts will not describe the table: a count that is
// not a whole number, or numbers other than (inputs + outputs) x patterns.
void checkCounts(const colfold::Fields& fields, std::int64_t converted) {
  static const char* const kNames[] = {"inputs", "outputs", "patterns"};
  std::optional<long long> counts[3];
  bool whole = true;
  for (int i = 0; i < 3; ++i) {
    counts[i] = wholeCount(fields[2 + i]);
    if (!counts[i]) {
      whole = false;
      common::warn("Colfold", fields[1],
                   std::string("the count of ") + kNames[i] + " \"" + fields[2 + i] +
                       "\" is not a whole number: it stands in the header as typed, and the "
                       "programs that read the file will stop on it");
    }
  }
  if (!whole) return;
  const long double announced =
      (static_cast<long double>(*counts[0]) + *counts[1]) * static_cast<long double>(*counts[2]);
  if (announced != static_cast<long double>(converted)) {
    char product[64];
    std::snprintf(product, sizeof product, "%.0Lf", announced);
    common::warn("Colfold", fields[0],
                 "the table holds " + std::to_string(converted) + " numbers where (" +
                     std::to_string(*counts[0]) + " + " + std::to_string(*counts[1]) + ") x " +
                     std::to_string(*counts[2]) + " = " + product +
                     " were announced: the header will not match the numbers below it");
  }
}

// The message of a failed run: that of an input that changed while it was
// read, which explains whatever error came of reading it, else "error"'s.
std::string failureText(const common::ToolError& error) {
  try {
    common::throwIfInputChanged();
  } catch (const common::ToolError& changed) {
    return changed.what();
  }
  return error.what();
}

}  // namespace

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("Colfold");
  if (common::answeredHelpOrVersion(argc, argv, "Colfold", TOOLKIT_VERSION, kHelp)) return 0;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (const std::string fault = colfold::commandLineFault(arguments); !fault.empty()) {
    colfold::reportError(std::cout, std::cerr, fault + " (see --help)");
    return 1;
  }
  common::clearConsole();
  colfold::Fields fields;
  try {
    fields = argc > 1 ? colfold::splitCommandLine(arguments)
                      : colfold::askFields(std::cin, std::cout, isatty(STDIN_FILENO));
    // Only on a terminal, and only once the conversion has taken a second.
    common::ProgressLine progress("Colfold", 1.0);
    const std::int64_t count = colfold::convertFile(fields, [&](double done, double total) {
      progress.show(done, total, "converting " + fields[0]);
    });
    progress.finish();
    std::cout << common::consoleInteger(count) << "  dati convertiti\n" << std::flush;
    checkCounts(fields, count);
  } catch (const common::ToolError& error) {
    colfold::reportError(std::cout, std::cerr, failureText(error));
    return 1;
  } catch (const std::bad_alloc&) {
    colfold::reportError(std::cout, std::cerr, "out of memory");
    return 1;
  }
  return 0;
}
