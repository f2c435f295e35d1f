// Small text helpers shared by the programs' argument handling and writers.
#ifndef COMMON_STRINGS_H_
#define COMMON_STRINGS_H_

#include <cstddef>
#include <string_view>

namespace common {

// "text" without the blanks (spaces only, as the programs' own trimming
// does) at both ends.
inline std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The length of the valid UTF-8 sequence starting at s[i], or 0 when the
// byte there starts none (a stray continuation byte, an overlong form, a
// surrogate, a code point past U+10FFFF, a sequence cut short).
inline std::size_t utf8Length(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  if (lead < 0xC2 || lead > 0xF4) return 0;
  const std::size_t n = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (s.size() - i < n) return 0;
  const unsigned char lo = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char hi = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return n;
}

}  // namespace common

#endif  // COMMON_STRINGS_H_
