// The rounding helpers of the toolkit's arithmetic.
//
// roundHalfEven rounds to the nearest whole number with halves going to the
// even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); leadingNumber reads the
// leading number of a text, 0 when there is none.  Both return doubles so that
// callers choose the width they store into; the checked narrowings below turn
// an out-of-range value into an overflow error.
#ifndef COMMON_ROUNDING_H_
#define COMMON_ROUNDING_H_

#include <cstdint>
#include <string_view>

namespace common {

// Nearest whole number, halves to even.  NaN and infinities come back as they are.
double roundHalfEven(double x);

// The leading number of "text": leading blanks and tabs are skipped, then an
// optional sign, digits with an optional decimal point, and an optional
// exponent (E or D, either case).  Returns 0 for an empty or non-numeric text.
// Trailing characters after the number are ignored ("12abc" is 12).
double leadingNumber(std::string_view text);

// roundHalfEven(x) stored in a 16-bit Integer; throws ToolError(kOverflow) naming
// "what" when the rounded value does not fit (or is not a number).
std::int16_t toInteger(double x, std::string_view what);

// roundHalfEven(x) stored in a 32-bit Long; throws ToolError(kOverflow) like toInteger.
std::int32_t toLong(double x, std::string_view what);

}  // namespace common

#endif  // COMMON_ROUNDING_H_
