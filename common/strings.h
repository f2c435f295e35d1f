// Small text helpers shared by the programs' argument handling.
#ifndef COMMON_STRINGS_H_
#define COMMON_STRINGS_H_

#include <string_view>

namespace common {

// "text" without the blanks (spaces only, as the programs' own trimming
// does) at both ends.
inline std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace common

#endif  // COMMON_STRINGS_H_
