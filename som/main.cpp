// somtrain: trains a self-organizing map on a data table and writes the
// files Favomap5 draws it from.
#include <iostream>
#include <string>

#include "common/program_run.h"
#include "som/command_line.h"
#include "som/somtrain_run.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("somtrain");
  if (common::answeredHelpOrVersion(argc, argv, "somtrain", TOOLKIT_VERSION, som::kHelp)) {
    return 0;
  }
  som::Arguments args;
  if (const std::string fault = som::parseArguments(argc, argv, args); !fault.empty()) {
    std::cerr << "somtrain: " << fault << " (see --help)\n";
    return 1;
  }
  return som::runSomtrainProgram(args);
}
