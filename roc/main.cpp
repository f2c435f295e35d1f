// rocplot: ROC curve, best operating point and AUC of a binary classifier.
// Its command line is roc::kUsage (roc/command_line.h).
#include <cstdio>
#include <string>

#include "common/program_run.h"
#include "roc/command_line.h"
#include "roc/rocplot_program.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("rocplot");
  if (common::answeredHelpOrVersion(argc, argv, "rocplot", TOOLKIT_VERSION,
                                    std::string(roc::kUsage) + roc::kHelp)) {
    return 0;
  }
  roc::Arguments args;
  if (!roc::parseArguments(argc, argv, args)) {
    if (!args.problem.empty()) std::fprintf(stderr, "rocplot: %s\n", args.problem.c_str());
    std::fputs(roc::kUsage, stderr);
    return 1;
  }
  return roc::runRocplot(argc, argv, args);
}
