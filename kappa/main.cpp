// kappatest: compares two classifiers by Cohen's kappa, from their confusion
// matrix, with a confidence interval and a p-value.  It asks its questions on
// the console; answers may be piped in.
#include <unistd.h>

#include <iostream>

#include "common/console.h"
#include "common/program_run.h"
#include "kappa/kappa_dialogue.h"

namespace {

constexpr const char* kHelp =
    "usage: kappatest   (then answer its questions, or pipe the answers in)\n"
    "\n"
    "Asks for a confusion matrix file (k x k counts in row order: rows one classifier,\n"
    "columns the other, separated by blanks, commas or line ends), its rank k, a\n"
    "confidence level (0.95 when empty), and whether the test is weighted: linear,\n"
    "quadratic, or weights from a file (k x k numbers).  Prints kappa, its p-value, the\n"
    "agreement word and the confidence interval, then waits for a key (not when input\n"
    "is piped).  Exit status: 0 done; 1 a file that cannot be read.\n";

}  // namespace

int main(int argc, char** argv) {
  if (common::answeredHelpOrVersion(argc, argv, "kappatest", TOOLKIT_VERSION, kHelp)) return 0;
  common::clearConsole();
  const int status = kappa::runKappatest(std::cin, std::cout, std::cerr, isatty(STDIN_FILENO));
  if (status == 0) common::waitForKey();
  return status;
}
