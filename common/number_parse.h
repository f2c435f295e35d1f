// Decimal number parsing shared by every text reader of the toolkit.
//
// A number is an optional sign, digits with an optional decimal point (at
// least one digit in all), and an optional exponent: a letter E or D in either
// case, an optional sign and at least one digit.  Parsing is locale-independent
// and correctly rounded, to a double or straight to a single (never through a
// double, whose rounding could shift a single by one unit).  A value beyond the
// type's range is an infinity, one below its smallest a zero of the sign.
#ifndef COMMON_NUMBER_PARSE_H_
#define COMMON_NUMBER_PARSE_H_

#include <cstddef>
#include <string_view>

namespace common {

// Parses the number at "begin" (no blanks before it): on success stores its
// value, sets "stop" right after it and returns true; returns false, storing
// nothing, when "begin" does not start a number.  The number is the longest
// that the syntax above allows ("12.5e3xyz" stops before x, "1e" after 1),
// so the caller checks what stands at "stop".
// The network files know the E exponent only: there "1d3" stops after 1.
enum class Exponents { kEOrD, kEOnly };
bool parseNumberPrefix(const char* begin, const char* end, const char*& stop, double& value,
                       Exponents exponents = Exponents::kEOrD);
bool parseNumberPrefix(const char* begin, const char* end, const char*& stop, float& value,
                       Exponents exponents = Exponents::kEOrD);

// Parses all of "text" as a number, or as inf, infinity or nan (either case,
// with an optional sign), so that the toolkit's own outputs read back.
// Returns false, leaving "value" alone, when the text is anything else.
bool parseDecimal(std::string_view text, double& value);
bool parseDecimal(std::string_view text, float& value);

// The single nearest the number "text", given "nearest", the double nearest
// it: the double rounded to single, unless that double lies exactly halfway
// between two singles or below the normal singles, where rounding twice can
// miss by a unit and the text is read again.
float singleOf(std::string_view text, double nearest);

}  // namespace common

#endif  // COMMON_NUMBER_PARSE_H_
