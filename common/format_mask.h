// Number masks: the picture strings with which the programs lay out numbers
// in labels, tables and reports ("0.000", "000000", "##0.0%", "I\nput \#00").
//
// Mask characters:
//   0   a digit that always shows (a leading or trailing zero when needed)
//   #   a digit that shows only when significant
//   .   the decimal point
//   %   the value is multiplied by 100 and a percent sign stands here
//   \c  the character c itself
// Everything else stands as itself.  Digits the integer placeholders cannot
// hold still show ("000000" of 1234567 is "1234567").  A negative value gets
// a minus sign in front of the whole text.  Rounding is to the nearest, ties
// of exactly representable halves to even.  NaN and infinities show as nan,
// inf and -inf in place of the digits.
#ifndef COMMON_FORMAT_MASK_H_
#define COMMON_FORMAT_MASK_H_

#include <string>
#include <string_view>

namespace common {

// "value" laid out by "mask".
std::string formatMask(double value, std::string_view mask);

}  // namespace common

#endif  // COMMON_FORMAT_MASK_H_
