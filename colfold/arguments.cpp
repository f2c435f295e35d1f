#include "colfold/arguments.h"

#include <algorithm>
#include <cctype>

#include "common/strings.h"

namespace colfold {

Fields splitCommandLine(const std::vector<std::string>& arguments) {
  std::string joined;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += arguments[i];
  }
  std::string text(common::trimBlanks(joined));
  Fields fields;
  for (int f = 0; f < 4; ++f) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) continue;  // the field stays empty
    fields[static_cast<std::size_t>(f)] = text.substr(0, blank);
    text = text.substr(blank + 1);
  }
  const std::size_t blank = text.find(' ');
  std::string fifth = blank == std::string::npos ? text : text.substr(blank + 1);
  const std::size_t first = fifth.find_first_not_of(' ');
  fields[4] = first == std::string::npos ? std::string() : fifth.substr(first);
  return fields;
}

std::string commandLineFault(const std::vector<std::string>& arguments) {
  for (const std::string& arg : arguments) {
    const bool option =
        arg.rfind("--", 0) == 0 ||
        (arg.size() > 1 && arg[0] == '-' && std::isalpha(static_cast<unsigned char>(arg[1])));
    if (option) return "unknown option \"" + arg + "\"";
  }
  // The fields are cut from the arguments joined by blanks, so a blank
  // inside an argument (a quoted name with a space) makes a field too.
  std::vector<std::string> words;
  for (const std::string& arg : arguments) {
    for (std::size_t at = 0; at < arg.size();) {
      const std::size_t start = arg.find_first_not_of(' ', at);
      if (start == std::string::npos) break;
      const std::size_t end = std::min(arg.find(' ', start), arg.size());
      words.push_back(arg.substr(start, end - start));
      at = end;
    }
  }
  if (words.size() > 5) {
    return std::to_string(words.size()) + " fields where it takes 5, from \"" + words[5] +
           "\" on; the arguments are cut at blanks";
  }
  return "";
}

}  // namespace colfold
