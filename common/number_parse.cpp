#include "common/number_parse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {
namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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

}  // namespace

NumberScan scanNumber(std::string_view text) {
  NumberScan scan;
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    scan.negative = text[i] == '-';
    ++i;
  }
  int significant = 0;
  bool anyDigit = false;
  int dropped = 0;  // integer digits past the 19th, each a power of ten
  for (; i < n && isDigit(text[i]); ++i) {
    anyDigit = true;
    if (significant < 19) {
      scan.mantissa = scan.mantissa * 10 + static_cast<unsigned>(text[i] - '0');
      if (scan.mantissa != 0) ++significant;
    } else {
      ++dropped;
      if (text[i] != '0') scan.exact = false;
    }
  }
  int fraction = 0;
  if (i < n && text[i] == '.') {
    ++i;
    for (; i < n && isDigit(text[i]); ++i) {
      anyDigit = true;
      if (significant < 19) {
        scan.mantissa = scan.mantissa * 10 + static_cast<unsigned>(text[i] - '0');
        if (scan.mantissa != 0) ++significant;
        ++fraction;
      } else if (text[i] != '0') {
        scan.exact = false;
      }
    }
  }
  if (!anyDigit) return NumberScan{};
  scan.length = i;
  long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    if (j < n && isDigit(text[j])) {
      for (; j < n && isDigit(text[j]); ++j) {
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
      }
      if (negativeExponent) exponent = -exponent;
      scan.length = j;
    }
  }
  scan.exponent10 = static_cast<int>(exponent) + dropped - fraction;
  return scan;
}

double scanValue(std::string_view text, const NumberScan& scan) {
  // Both the mantissa and the power of ten are exact doubles here, so one
  // multiplication or division rounds correctly.
  if (scan.exact && scan.mantissa <= (std::uint64_t{1} << 53) && scan.exponent10 >= -22 &&
      scan.exponent10 <= 22) {
    double value = static_cast<double>(scan.mantissa);
    if (scan.exponent10 < 0) {
      value /= kPowersOfTen[-scan.exponent10];
    } else {
      value *= kPowersOfTen[scan.exponent10];
    }
    return scan.negative ? -value : value;
  }
  // The general case: from_chars, which is locale-independent and correctly
  // rounded, on a copy that spells the exponent with 'e' and drops a '+'.
  std::string copy(text.substr(0, scan.length));
  for (char& c : copy) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  const char* first = copy.data() + ((copy[0] == '+' || copy[0] == '-') ? 1 : 0);
  double value = 0.0;
  auto result = std::from_chars(first, copy.data() + copy.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the doubles: the scan's exponent tells overflow from underflow.
    value = scan.exponent10 > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return scan.negative ? -value : value;
}

bool parseShortDecimal(const char* begin, const char* end, const char*& stop, double& value,
                       ShortDecimal* parts) {
  const char* p = begin;
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  }
  std::uint64_t mantissa = 0;
  const char* digits = p;
  while (p != end && isDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
  int count = static_cast<int>(p - digits);
  int fraction = 0;
  if (p != end && *p == '.') {
    const char* first = ++p;
    while (p != end && isDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    fraction = static_cast<int>(p - first);
    count += fraction;
  }
  if (count == 0 || count > 19 || fraction > 22 || mantissa > (std::uint64_t{1} << 53)) {
    return false;
  }
  if (p != end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) return false;
  double v = static_cast<double>(mantissa) / kPowersOfTen[fraction];
  value = negative ? -v : v;
  stop = p;
  if (parts != nullptr) *parts = {mantissa, fraction, negative};
  return true;
}

bool parseDecimal(std::string_view text, double& value) {
  NumberScan scan = scanNumber(text);
  if (scan.length != 0 && scan.length == text.size()) {
    value = scanValue(text, scan);
    return true;
  }
  std::string_view word = text;
  bool negative = false;
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
    negative = word[0] == '-';
    word.remove_prefix(1);
  }
  if (equalsIgnoreCase(word, "inf") || equalsIgnoreCase(word, "infinity")) {
    value = negative ? -std::numeric_limits<double>::infinity()
                     : std::numeric_limits<double>::infinity();
    return true;
  }
  if (equalsIgnoreCase(word, "nan")) {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  return false;
}

}  // namespace common
