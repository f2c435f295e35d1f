// rocplot after its command line: the run, then the picture shown.
#ifndef ROC_ROCPLOT_PROGRAM_H_
#define ROC_ROCPLOT_PROGRAM_H_

#include "roc/command_line.h"

namespace roc {

// Runs runRocFiles on "args" through common::runReportingFailures (a failure
// reported as "rocplot: ..." with status 1).  Once every output is in place,
// with a display the picture opens in a window (its menu saves the picture
// and the table) until a key closes it; without one the program waits for a
// key on the terminal.  With several input files (args.several) it runs
// runSeveralFiles instead and prints its report: no window, no wait.
// "argc" and "argv" start the window's application.
// Returns the exit status.
int runRocplot(int argc, char** argv, const Arguments& args);

}  // namespace roc

#endif  // ROC_ROCPLOT_PROGRAM_H_
