// Colfold's console: its questions when there is no command line, and its
// error report.
#ifndef COLFOLD_DIALOGUE_H_
#define COLFOLD_DIALOGUE_H_

#include <iosfwd>
#include <string>

#include "colfold/arguments.h"

namespace colfold {

// The banner and the five questions, answered from "in" (the questions are
// shown when "showQuestions", that is when "in" is a terminal).
Fields askFields(std::istream& in, std::ostream& out, bool showQuestions);

// The program's error report (the console cleared, three lines) on "err",
// then "Colfold: " and what went wrong.
void reportError(std::ostream& out, std::ostream& err, const std::string& reason);

}  // namespace colfold

#endif  // COLFOLD_DIALOGUE_H_
