// What the window programs' logic asks of the window toolkit, so that the
// same logic runs under the Qt front end, in batch mode and under tests.
#ifndef SURFACE_TOOLKIT_H_
#define SURFACE_TOOLKIT_H_

#include <string>
#include <string_view>

namespace surface {

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Shows "prompt" with an OK button and returns when it is dismissed;
  // "title" is empty for a box without a title of its own.
  virtual void messageBox(std::string_view prompt, std::string_view title) = 0;
};

// Batch mode: a message box is a line on standard error,
// "PROGRAM: TITLE: PROMPT" (no "TITLE: " when there is none).
class ConsoleToolkit : public Toolkit {
 public:
  explicit ConsoleToolkit(std::string program) : program_(std::move(program)) {}
  void messageBox(std::string_view prompt, std::string_view title) override;

 private:
  std::string program_;
};

}  // namespace surface

#endif  // SURFACE_TOOLKIT_H_
