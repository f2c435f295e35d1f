// kappatest run from its command line: one input file, a report on
// standard output, no questions and no wait for a key.
#ifndef KAPPA_KAPPA_COMMAND_H_
#define KAPPA_KAPPA_COMMAND_H_

#include <ostream>

#include "kappa/command_line.h"

namespace kappa {

// Reads the input "args" names and prints its report on "out", warnings on
// "err".  Throws ToolError naming the file and the place for input no
// report can be made of; nothing is printed then.
void runKappaCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// runKappaCommand on standard output and error, a failure reported as
// "kappatest: ..." on standard error.  Returns the exit status: 0, or 1
// after a failure.
int runKappaCommandProgram(const Arguments& args);

}  // namespace kappa

#endif  // KAPPA_KAPPA_COMMAND_H_
