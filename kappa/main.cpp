// kappatest: compares two classifiers by Cohen's kappa, from their confusion
// matrix, with a confidence interval and a p-value.  Without an input on its
// command line it asks its questions on the console; answers may be piped in.
#include <iostream>
#include <string>

#include "common/program_run.h"
#include "kappa/command_line.h"
#include "kappa/kappa_command.h"
#include "kappa/kappa_dialogue.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("kappatest");
  if (common::answeredHelpOrVersion(argc, argv, "kappatest", TOOLKIT_VERSION, kappa::kHelp)) {
    return 0;
  }
  kappa::Arguments args;
  if (const std::string fault = kappa::parseArguments(argc, argv, args); !fault.empty()) {
    std::cerr << "kappatest: " << fault << " (see --help)\n";
    return 1;
  }
  const bool dialogue = args.matrix.empty() && args.ratings.empty() && args.fleiss.empty();
  if (dialogue) return kappa::runKappatestProgram(args.details);
  return kappa::runKappaCommandProgram(args);
}
