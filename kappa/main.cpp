// kappatest: compares two classifiers by Cohen's kappa, from their confusion
// matrix, with a confidence interval and a p-value.  It asks its questions on
// the console; answers may be piped in.
#include <unistd.h>

#include <iostream>
#include <string_view>

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
    "is piped).  Exit status: 0 done; 1 a file that cannot be read.\n"
    "\n"
    "kappatest --details  adds, after the report: po, pe, the largest kappa the marginals\n"
    "allow, PABAK, for 2 x 2 the prevalence and bias indices, SE, SE0, z, the standard error\n"
    "of Fleiss, Cohen and Everitt (1969) that textbooks and other tools use, with its\n"
    "interval, and each category's kappa against all others, one name<TAB>value a line.\n";

}  // namespace

int main(int argc, char** argv) {
  if (common::answeredHelpOrVersion(argc, argv, "kappatest", TOOLKIT_VERSION, kHelp)) return 0;
  common::clearConsole();
  const bool details = argc == 2 && std::string_view(argv[1]) == "--details";
  const int status =
      kappa::runKappatest(std::cin, std::cout, std::cerr, isatty(STDIN_FILENO), details);
  if (status == 0) common::waitForKey();
  return status;
}
