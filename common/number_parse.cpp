#include "common/number_parse.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace common {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool equalsIgnoreCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

// The library reads the digits and an E exponent, correctly rounded at any
// length and exponent; around it stand the toolkit's own rules: a leading
// plus, the D exponent, and no words.
template <typename T>
bool parsePrefix(const char* begin, const char* end, const char*& stop, T& value,
                 Exponents exponents = Exponents::kEOrD) {
  const char* p = begin;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  // The library would also take inf, nan and a second sign.
  if (p == end || !(isDigit(*p) || *p == '.')) return false;
  T magnitude;
  const fast_float::from_chars_result result = fast_float::from_chars(p, end, magnitude);
  if (result.ec != std::errc()) return false;
  const char* after = result.ptr;
  if (exponents == Exponents::kEOrD && after != end && (*after == 'd' || *after == 'D')) {
    const char* digits = after + 1;
    if (digits != end && (*digits == '+' || *digits == '-')) ++digits;
    if (digits != end && isDigit(*digits)) {
      const char* exponentEnd = digits;
      while (exponentEnd != end && isDigit(*exponentEnd)) ++exponentEnd;
      std::string spelledWithE(p, exponentEnd);
      spelledWithE[static_cast<std::size_t>(after - p)] = 'e';
      fast_float::from_chars(spelledWithE.data(), spelledWithE.data() + spelledWithE.size(),
                             magnitude);
      after = exponentEnd;
    }
  }
  value = negative ? -magnitude : magnitude;
  stop = after;
  return true;
}

template <typename T>
bool parseWhole(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const char* stop = nullptr;
  T number;
  if (parsePrefix(text.data(), end, stop, number) && stop == end) {
    value = number;
    return true;
  }
  std::string_view word = text;
  bool negative = false;
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
    negative = word[0] == '-';
    word.remove_prefix(1);
  }
  if (equalsIgnoreCase(word, "inf") || equalsIgnoreCase(word, "infinity")) {
    value = negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
    return true;
  }
  if (equalsIgnoreCase(word, "nan")) {
    value = std::numeric_limits<T>::quiet_NaN();
    return true;
  }
  return false;
}

}  // namespace

bool parseNumberPrefix(const char* begin, const char* end, const char*& stop, double& value,
                       Exponents exponents) {
  return parsePrefix(begin, end, stop, value, exponents);
}

bool parseNumberPrefix(const char* begin, const char* end, const char*& stop, float& value,
                       Exponents exponents) {
  return parsePrefix(begin, end, stop, value, exponents);
}

bool parseDecimal(std::string_view text, double& value) { return parseWhole(text, value); }

bool parseDecimal(std::string_view text, float& value) { return parseWhole(text, value); }

float singleOf(std::string_view text, double nearest) {
  // Every halfway point between two normal singles is a double, so the
  // nearest double lies on the same side of it as the decimal, or on it.
  std::uint64_t bits;
  std::memcpy(&bits, &nearest, sizeof bits);
  constexpr std::uint64_t kBelowSingle = (std::uint64_t{1} << 29) - 1;
  const bool halfway = (bits & kBelowSingle) == (std::uint64_t{1} << 28);
  if (!halfway && !(std::fabs(nearest) < 0x1p-126)) return static_cast<float>(nearest);
  float single = static_cast<float>(nearest);
  parseDecimal(text, single);
  return single;
}

}  // namespace common
