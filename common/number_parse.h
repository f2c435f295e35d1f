// Decimal number parsing shared by every text reader of the toolkit.
//
// A number is an optional sign, digits with an optional decimal point (at
// least one digit in all), and an optional exponent: a letter E or D in either
// case, an optional sign and at least one digit.  Parsing is locale-independent
// and correctly rounded to double; the common short forms take a fast path
// that needs no copy of the text.
#ifndef COMMON_NUMBER_PARSE_H_
#define COMMON_NUMBER_PARSE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace common {

// What scanNumber found at the start of a text.
struct NumberScan {
  std::size_t length = 0;      // characters of the number; 0 when there is none
  std::uint64_t mantissa = 0;  // the first 19 significant digits
  int exponent10 = 0;          // value = mantissa * 10^exponent10 when exact
  bool exact = true;           // false when digits past the 19th were dropped
  bool negative = false;
};

// Scans the longest number at the start of "text" ("12.5e3xyz" gives 7;
// "1e" gives 1, the dangling exponent letter not being part of it).
NumberScan scanNumber(std::string_view text);

// The double value of text[0 .. scan.length), correctly rounded.
double scanValue(std::string_view text, const NumberScan& scan);

// A short decimal's digits: its value is mantissa / 10^fraction, negated
// when "negative".
struct ShortDecimal {
  std::uint64_t mantissa = 0;
  int fraction = 0;
  bool negative = false;
};

// The common short form fast: an optional sign and up to 19 digits with an
// optional decimal point, no exponent, whose value converts exactly by one
// multiplication or division.  On success stores the value (and, when
// "parts" is given, its digits), sets "stop" to the first character after
// the number and returns true; returns false (storing nothing) for anything
// else, which the general path then handles.
bool parseShortDecimal(const char* begin, const char* end, const char*& stop, double& value,
                       ShortDecimal* parts = nullptr);

// Parses all of "text" as a number, or as inf, infinity or nan (either case,
// with an optional sign), so that the toolkit's own outputs read back.
// Returns false, leaving "value" alone, when the text is anything else.
bool parseDecimal(std::string_view text, double& value);

}  // namespace common

#endif  // COMMON_NUMBER_PARSE_H_
