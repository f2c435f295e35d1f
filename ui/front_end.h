// The start of every program with windows: the application, the command
// line with --help and --version, and the choice between the window and a
// batch run.
#ifndef UI_FRONT_END_H_
#define UI_FRONT_END_H_

#include <QCommandLineParser>
#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace ui {

class FrontEnd {
 public:
  // Starts the application (off-screen where there is no display) and a
  // command-line parser that knows --help, --version and "description".
  // "argc" and "argv" must outlive the front end.
  FrontEnd(int& argc, char** argv, const char* program, const char* description);
  ~FrontEnd();

  QCommandLineParser& parser() { return parser_; }
  QApplication& app() { return *app_; }

  // Processes the command line, after the program has added its options
  // (file names among them come back whole through ui::argumentBytes()):
  // --help and --version print and end the program, a bad option ends it
  // with its usage.  Returns true when the window is to open (no arguments
  // and a display).  Without arguments and without a display the usage goes
  // to standard error and the program ends with status 1.
  bool wantsWindow();

  // Prints "PROGRAM: message (see --help)" on standard error; returns 1, the
  // exit status of a bad command line.
  int usageError(const std::string& message) const;

  // Adds --scale N: bitmaps N times as wide and tall, drawn anti-aliased
  // from the picture's shapes (1 to 8; 1, the exact picture, by default).
  void addScaleOption();

  // The --scale value after wantsWindow(); nothing when it is not a whole
  // number from 1 to 8.
  std::optional<int> scale() const;

 private:
  std::string program_;
  int& argc_;  // after the application has taken its own options out
  char** argv_;
  std::unique_ptr<QApplication> app_;
  QCommandLineParser parser_;
};

}  // namespace ui

#endif  // UI_FRONT_END_H_
