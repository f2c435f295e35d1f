// Colfold after its command line: the fields, the conversion, its report.
#ifndef COLFOLD_COLFOLD_RUN_H_
#define COLFOLD_COLFOLD_RUN_H_

#include <string>
#include <vector>

namespace colfold {

// Clears the console, takes the five fields from "arguments" (as
// splitCommandLine cuts them) or, when there are none, from the questions on
// standard input, converts the table with a progress line on a terminal, and
// prints "N  dati convertiti" and the warnings of countWarnings.  A failure
// goes through common::runReportingFailures and is told by reportError.
// Returns the exit status: 0, or 1 after a failure.
int runColfold(const std::vector<std::string>& arguments);

}  // namespace colfold

#endif  // COLFOLD_COLFOLD_RUN_H_
