// The kappatest dialogue: banner, questions, the two files, the report.
#ifndef KAPPA_KAPPA_DIALOGUE_H_
#define KAPPA_KAPPA_DIALOGUE_H_

#include <istream>
#include <ostream>
#include <string>

namespace kappa {

// Runs the dialogue on "in" and "out" (questions shown when "showQuestions"),
// reads the matrix (and weights) files, and prints the report up to the
// closing "*** Press any key to exit ***" line.  Throws ToolError when an
// answer is missing or wrong or a file cannot be read (then no report is
// printed).  With "details", the lines of kappaDetails follow the report,
// before the closing line.
void runKappatest(std::istream& in, std::ostream& out, std::ostream& err, bool showQuestions,
                  bool details = false);

// What a confidence level far from the usual ones (outside 0..1, or below
// 0.5, a significance level given for a coverage) was likely meant as, for
// a warning; "" for a level that needs no word.
std::string levelWarning(double level);

// The whole program after its command line: the console cleared, the
// dialogue on standard input and output (questions shown when standard input
// is a terminal), a failure reported as "kappatest: ..." on standard error
// after what standard output holds, and the wait for a key after a report.
// Returns the exit status: 0, or 1 after a failure.
int runKappatestProgram(bool details);

}  // namespace kappa

#endif  // KAPPA_KAPPA_DIALOGUE_H_
