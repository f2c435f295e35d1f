#include "ui/toolkit.h"

#include <cstdio>
#include <string>

namespace ui {

void ConsoleToolkit::messageBox(std::string_view prompt, std::string_view title) {
  std::string line = program_ + ": ";
  if (!title.empty()) {
    line += title;
    line += ": ";
  }
  line += prompt;
  line += '\n';
  std::fputs(line.c_str(), stderr);
}

}  // namespace ui
