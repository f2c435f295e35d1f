// The kappatest dialogue: banner, questions, the two files, the report.
#ifndef KAPPA_KAPPA_DIALOGUE_H_
#define KAPPA_KAPPA_DIALOGUE_H_

#include <istream>
#include <ostream>

namespace kappa {

// Runs the dialogue on "in" and "out" (questions shown when "showQuestions"),
// reads the matrix (and weights) files, and prints the report up to the
// closing "*** Press any key to exit ***" line.  Returns 0, or 1 after
// printing "kappatest: ..." to "err" when a file cannot be read (then no
// report is printed).
// With "details", the lines of kappaDetails follow the report, before the
// closing line.
int runKappatest(std::istream& in, std::ostream& out, std::ostream& err, bool showQuestions,
                 bool details = false);

}  // namespace kappa

#endif  // KAPPA_KAPPA_DIALOGUE_H_
