// Colfold: rewrites an ASCII data table as one value per line behind three
// header lines (input nodes, output nodes, patterns): the layout of a
// pattern file.
//
//   Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>
//   Colfold              (then answer its questions)
#include <unistd.h>

#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "colfold/arguments.h"
#include "colfold/conversion.h"
#include "colfold/dialogue.h"
#include "common/console.h"
#include "common/errors.h"
#include "common/number_forms.h"
#include "common/program_run.h"

namespace {

constexpr const char* kHelp =
    "usage: Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n"
    "       Colfold   (then answer its questions, or pipe the answers in)\n"
    "\n"
    "Writes every number of the input table (separated by blanks, tabs, commas or line\n"
    "ends; an empty field is 0) on a line of its own, after three lines holding the\n"
    "three counts as given: the layout of a pattern file.  The output replaces an old\n"
    "file only when complete.  Exit status: 0 done; 1 an input that cannot be read, a\n"
    "field that is not a number, or an output that cannot be written.\n";

}  // namespace

int main(int argc, char** argv) {
  if (common::answeredHelpOrVersion(argc, argv, "Colfold", TOOLKIT_VERSION, kHelp)) return 0;
  common::clearConsole();
  const colfold::Fields fields =
      argc > 1 ? colfold::splitCommandLine(std::vector<std::string>(argv + 1, argv + argc))
               : colfold::askFields(std::cin, std::cout, isatty(STDIN_FILENO));
  try {
    const std::int64_t count = colfold::convertFile(fields);
    std::cout << common::consoleInteger(count) << "  dati convertiti\n";
  } catch (const common::ToolError& error) {
    colfold::reportError(std::cout, std::cerr, error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    colfold::reportError(std::cout, std::cerr, "out of memory");
    return 1;
  }
  return 0;
}
