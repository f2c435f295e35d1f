// The number token reader of the console programs.
//
// Their input files are streams of number tokens.  Reading a token skips
// blanks and tabs; the token runs to the next blank, tab, comma, line end (LF,
// CR or CR LF) or the end of the text.  After it, blanks and tabs are skipped
// and one comma or one line end is taken as its separator; any other character
// starts the next token.  So "0.5,1", "0.5 1" and "0.5\t,1" all hold the same
// two tokens, while an empty line, two commas in a row and a comma at the end
// of a line each hold an empty token, which reads as 0.  Reading past the end
// gives empty tokens too.
#ifndef COMMON_TOKENS_H_
#define COMMON_TOKENS_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

class TokenReader {
 public:
  // Reads "text", which must outlive the reader.  "fileName" names the
  // source in error messages; "firstLine" is the number of the text's first
  // line there (a part of a longer text starts further down).
  TokenReader(std::string_view text, std::string fileName, long firstLine = 1);

  // True when every character has been consumed.
  bool atEnd() const { return pos_ == text_.size(); }

  // The next raw token (possibly empty), with its separator consumed.
  std::string_view next();

  // The next token as a double: an empty token is 0; a token that is not a
  // number throws ToolError(kTypeMismatch) naming the file and line.
  double readDouble();

  // The next token as a single, rounded once from its decimal digits.
  float readSingle();

  // The next token as a whole number, as its low 64 bits in two's complement.
  // Digits-only tokens (with an optional sign) are taken exactly at any
  // length; a token with a decimal point or an exponent is rounded to the
  // nearest whole number, halves to even.  Not-a-number and infinite values
  // read as 0.  Bad tokens throw like readDouble.
  std::uint64_t readWholeLowBits();

  // Skips the rest of the current line and its line end (a header row).
  void skipLine();

  // The 1-based line on which the last token returned stood.
  long tokenLine() const { return tokenLine_; }

  // The 1-based line on which the next token stands.
  long line() const { return line_; }

  const std::string& fileName() const { return fileName_; }

 private:
  [[noreturn]] void throwNotANumber(std::string_view token) const;
  // The next token as a double or a single.
  template <typename T>
  T readNumber();
  // Skips the blanks after a token ending at "i" and takes one comma or line
  // end; the token stood on line_.
  void finishToken(std::size_t i);

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  long line_ = 1;
  long tokenLine_ = 1;
};

// The line ends of "text" as the reader counts them: LF, CR, and CR LF as one.
long countLineEnds(std::string_view text);

// True when the first line of "text" is a header row such as "score,class":
// printable text holding a token that is not a number, with more lines
// after it.  An empty first line holds no such token.
bool firstLineIsText(std::string_view text);

}  // namespace common

#endif  // COMMON_TOKENS_H_
