// The toolkit's one family of run-time errors.
//
// A run stops by throwing a ToolError; each program catches it once, in main,
// and reports its message (standard error in batch and console use, a message
// box in the window programs).  The message always names the file and, for
// readers, the place (line or item number) where the fault was met, e.g.
//   scores.txt: line 3: type mismatch: expected a number, got "abc"
#ifndef COMMON_ERRORS_H_
#define COMMON_ERRORS_H_

#include <stdexcept>
#include <string>
#include <string_view>

namespace common {

// The kinds of fault a run can stop on.
enum class Fault {
  kFileNotFound,
  kPastEndOfFile,
  kTypeMismatch,
  kSubscriptOutOfRange,
  kOverflow,
  kDivisionByZero,
  kBadFileName,
  kTooLarge,
};

// The fault's name as it appears in messages: "file not found",
// "input past end of file", "type mismatch", ...
std::string_view faultName(Fault fault);

class ToolError : public std::runtime_error {
 public:
  // "message" is the whole text shown to the user.
  ToolError(Fault fault, const std::string& message);
  Fault fault() const { return fault_; }

 private:
  Fault fault_;
};

// Thrown once a program's own message (a message box such as "Errore nel
// file di dati") has been shown, or the user has ended the program: the run
// ends without a further report.
class ProgramEnded : public std::runtime_error {
 public:
  explicit ProgramEnded(const std::string& message) : std::runtime_error(message) {}
};

// One of a program's own messages, thrown where the program must end with
// it (a reader never shows anything itself): the front end shows what() in
// a message box titled title() (none when empty), or prints it in batch
// mode, and ends the program.
class ProgramMessage : public std::runtime_error {
 public:
  ProgramMessage(const std::string& text, std::string title)
      : std::runtime_error(text), title_(std::move(title)) {}
  const std::string& title() const { return title_; }

 private:
  std::string title_;
};

// Builds "FILE: PLACE: fault name: detail", leaving out FILE, PLACE or
// detail (and its separator) when empty.  PLACE is e.g. "line 3" or
// "item 57"; without a file it names what the fault concerns ("the
// statistics of output 2").
ToolError makeError(Fault fault, std::string_view file, std::string_view place,
                    std::string_view detail = {});

// "error" with "context: " before its message (a file's path, "pattern 3"),
// the fault kept.
ToolError withContext(std::string_view context, const ToolError& error);

// A file that cannot be opened for reading: 'cannot open "PATH": fault name
// (reason)', with kFileNotFound or kBadFileName.
ToolError cannotOpen(Fault fault, std::string_view path, std::string_view reason);

// A file that cannot be written: 'cannot write "PATH": bad file name or path
// (reason)'.
ToolError cannotWrite(std::string_view path, std::string_view reason);

// Quotes a piece of input for a message, cut to 40 characters with "..." so
// that a runaway token never floods the terminal; control bytes show as '?'.
std::string quoteInput(std::string_view text);

}  // namespace common

#endif  // COMMON_ERRORS_H_
