// One somtrain run, from the parsed command line to the written files.
#ifndef SOM_SOMTRAIN_RUN_H_
#define SOM_SOMTRAIN_RUN_H_

#include <iosfwd>

#include "som/command_line.h"

namespace som {

// Reads, scales and trains as "args" asks, writes the map's files, and
// prints the final errors on "out" (each epoch's on "progress" when it is
// set).  Outputs that are the input or cannot be written are refused
// before any work.  Throws ToolError on an input or output that fails.
void runSomtrain(const Arguments& args, std::ostream& out, std::ostream* progress);

// runSomtrain with the program's failure report and exit status; the
// progress goes to standard error when it is a terminal.
int runSomtrainProgram(const Arguments& args);

}  // namespace som

#endif  // SOM_SOMTRAIN_RUN_H_
