// Colfold: rewrites an ASCII data table as one value per line behind three
// header lines (input nodes, output nodes, patterns): the layout of a
// pattern file.
//
//   Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>
//   Colfold              (then answer its questions)
#include <iostream>
#include <string>
#include <vector>

#include "colfold/arguments.h"
#include "colfold/colfold_run.h"
#include "colfold/dialogue.h"
#include "common/program_run.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("Colfold");
  if (common::answeredHelpOrVersion(argc, argv, "Colfold", TOOLKIT_VERSION, colfold::kHelp)) {
    return 0;
  }
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (const std::string fault = colfold::commandLineFault(arguments); !fault.empty()) {
    colfold::reportError(std::cout, std::cerr, fault + " (see --help)");
    return 1;
  }
  return colfold::runColfold(arguments);
}
