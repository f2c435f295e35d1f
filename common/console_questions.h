// The questions of the console programs.
//
// A question is its text followed by "? ", the answer typed on the same
// line.  When standard input is not a terminal (answers piped or redirected)
// the questions are not shown and the answers are read as they come.
#ifndef COMMON_CONSOLE_QUESTIONS_H_
#define COMMON_CONSOLE_QUESTIONS_H_

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace common {

// The text answer of an answer line: leading blanks skipped, the text ends at
// a comma or the line end; a text in double quotes may hold commas and loses
// its quotes.
std::string textAnswer(std::string_view line);

// The number answer of an answer line: the first number on it (0 when there
// is none or the line is empty).
double numberAnswer(std::string_view line);

class ConsoleQuestions {
 public:
  // "showQuestions" is whether the questions are printed (standard input a
  // terminal).  The streams must outlive this object.
  ConsoleQuestions(std::istream& in, std::ostream& out, bool showQuestions);

  // Each ask reads one answer line; one longer than 1 MB throws
  // ToolError(kTooLarge) "standard input: an answer longer than 1 MB".

  // Asks "question"; the answer line's text.
  std::string askText(std::string_view question);

  // Asks "question"; the answer line's first number.
  double askNumber(std::string_view question);

  // Asks "question"; the first number rounded to a whole number, halves to even.
  long askWhole(std::string_view question);

 private:
  std::string answerLine(std::string_view question);

  std::istream& in_;
  std::ostream& out_;
  bool show_;
};

}  // namespace common

#endif  // COMMON_CONSOLE_QUESTIONS_H_
