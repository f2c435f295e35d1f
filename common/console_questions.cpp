#include "common/console_questions.h"

#include <cmath>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/rounding.h"

namespace common {

std::string textAnswer(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i < line.size() && line[i] == '"') {
    const std::size_t close = line.find('"', i + 1);
    return std::string(line.substr(
        i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
  }
  const std::size_t end = line.find(',', i);
  std::string_view text =
      line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return std::string(text);
}

double numberAnswer(std::string_view line) { return leadingNumber(line); }

ConsoleQuestions::ConsoleQuestions(std::istream& in, std::ostream& out, bool showQuestions)
    : in_(in), out_(out), show_(showQuestions) {}

std::string ConsoleQuestions::answerLine(std::string_view question) {
  if (show_) out_ << question << "? " << std::flush;
  // An answer has a bound: endless input without a line end (</dev/zero)
  // stops the run instead of filling the memory.
  std::string line;
  for (int c; (c = in_.get()) != std::char_traits<char>::eof() && c != '\n';) {
    if (line.size() == kLongestStreamedLine) {
      throw ToolError(Fault::kTooLarge, "standard input: an answer longer than 1 MB");
    }
    line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string ConsoleQuestions::askText(std::string_view question) {
  return textAnswer(answerLine(question));
}

double ConsoleQuestions::askNumber(std::string_view question) {
  return numberAnswer(answerLine(question));
}

long ConsoleQuestions::askWhole(std::string_view question) {
  const double value = roundHalfEven(askNumber(question));
  if (!(std::fabs(value) < 2147483648.0)) return 0;
  return static_cast<long>(value);
}

}  // namespace common
