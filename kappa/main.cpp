// kappatest: compares two classifiers by Cohen's kappa, from their confusion
// matrix, with a confidence interval and a p-value.  It asks its questions on
// the console; answers may be piped in.
#include <iostream>
#include <string>

#include "common/program_run.h"
#include "kappa/command_line.h"
#include "kappa/kappa_dialogue.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("kappatest");
  if (common::answeredHelpOrVersion(argc, argv, "kappatest", TOOLKIT_VERSION, kappa::kHelp)) {
    return 0;
  }
  if (const std::string fault = kappa::commandLineFault(argc, argv); !fault.empty()) {
    std::cerr << "kappatest: " << fault << " (see --help)\n";
    return 1;
  }
  return kappa::runKappatestProgram(argc > 1);
}
