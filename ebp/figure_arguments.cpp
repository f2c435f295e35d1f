#include "ebp/figure_arguments.h"

#include <deque>
#include <string>
#include <string_view>

namespace ebp {

void renameFigureArguments(int argc, char** argv) {
  // The renamed arguments live as long as the program.
  static std::deque<std::string> renamed;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--") return;
    if (argument.starts_with("--")) argument.remove_prefix(1);
    for (const std::string_view name : {std::string_view("-style"), std::string_view("-title")}) {
      if (!argument.starts_with(name)) continue;
      const std::string_view rest = argument.substr(name.size());
      if (!rest.empty() && rest.front() != '=') continue;
      renamed.push_back("--figure" + std::string(name) + std::string(rest));
      argv[i] = renamed.back().data();
      break;
    }
  }
}

}  // namespace ebp
