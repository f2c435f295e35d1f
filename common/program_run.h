// What every program's main does around its own work: answering --help and
// --version, and turning a failure into the program's report and exit status.
#ifndef COMMON_PROGRAM_RUN_H_
#define COMMON_PROGRAM_RUN_H_

#include <functional>
#include <string>
#include <string_view>

namespace common {

// Runs "work" and returns its status.  A failure is reported on standard
// error with status 1: a ToolError as "PROGRAM: message", one of the
// program's own messages as "PROGRAM: TITLE: text" ("PROGRAM: text" without
// a title), running out of memory as "PROGRAM: out of memory".  When an
// input changed while it was read, its "FILE: changed while being read" is
// reported instead of the failure, and in place of a success.  The files the
// work commits are put in place only when it returns 0 and standard output
// took everything written to it: a run that fails replaces none.
// "report", when set, tells a failure in place of that line: it is given
// the line's text after "PROGRAM: " (a console program's own report around
// it, or standard output flushed first).  Standard output that lost what was
// written to it is reported as at exit, "PROGRAM: cannot write ...", all the
// same.
int runReportingFailures(std::string_view program, const std::function<int()>& work,
                         const std::function<void(const std::string& text)>& report = {});

// Makes standard output an output like any other: when the program ends
// (by returning from main or by exit()) and what was written to standard
// output could not all be written (a full disk, a closed pipe), that is
// reported as "PROGRAM: cannot write ..." and the exit status becomes 1.
// Called first in every main; "program" names it in the report.
void checkStandardOutputAtExit(std::string_view program);

// For the console programs, whose only options are "--help" (or "-h") and
// "--version" given alone: prints "help" or "PROGRAM VERSION" on standard
// output and returns true; false for any other command line.
bool answeredHelpOrVersion(int argc, char** argv, std::string_view program,
                           std::string_view version, std::string_view help);

// Tells the user, on standard error, of something in an input that the
// results may not survive; the run goes on, its outputs and status unchanged:
//   PROGRAM: warning: FILE: TEXT
void warn(std::string_view program, std::string_view file, std::string_view text);

// The line warn() prints, with its line end.
std::string warningLine(std::string_view program, std::string_view file, std::string_view text);

// "text" with every CR LF turned into LF: a file's lines as the console shows
// them.
std::string consoleLineEnds(std::string text);

}  // namespace common

#endif  // COMMON_PROGRAM_RUN_H_
