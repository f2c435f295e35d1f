// A toolkit for tests of the window programs' logic: it records every
// message box and answers the file dialogs from a list.
#ifndef TEST_SUPPORT_FAKE_TOOLKIT_H_
#define TEST_SUPPORT_FAKE_TOOLKIT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit.h"

namespace support {

class FakeToolkit : public ui::Toolkit {
 public:
  // Records "TITLE|PROMPT" (an empty title for a box without one).
  void messageBox(std::string_view prompt, std::string_view title) override {
    messages.push_back(std::string(title) + "|" + std::string(prompt));
  }
  // Records the choice asked for and gives the next answer; nothing (a
  // cancelled dialog) once the answers are used up.
  std::optional<std::string> chooseFile(const ui::FileChoice& choice) override {
    asked.push_back(choice);
    if (answers.empty()) return std::nullopt;
    std::string answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }

  std::vector<std::string> answers;
  std::vector<std::string> messages;
  std::vector<ui::FileChoice> asked;
};

}  // namespace support

#endif  // TEST_SUPPORT_FAKE_TOOLKIT_H_
