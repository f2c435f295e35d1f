#include "common/format_mask.h"

#include <charconv>
#include <cmath>

namespace common {
namespace {

// A mask split into its literal text around one field of digit placeholders.
struct Mask {
  std::string prefix;
  std::string suffix;
  int integerMin = 0;   // integer digits that always show
  bool point = false;   // the mask has a decimal point
  int fractionMin = 0;  // fraction digits that always show
  int fractionMax = 0;  // fraction digits at most
  bool percent = false;
};

Mask parseMask(std::string_view text) {
  enum class Where { kPrefix, kField, kSuffix } where = Where::kPrefix;
  Mask mask;
  int integerSlots = 0;
  int firstZero = -1;
  auto literal = [&](char c) {
    if (where == Where::kField) where = Where::kSuffix;
    (where == Where::kPrefix ? mask.prefix : mask.suffix) += c;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      literal(text[++i]);
    } else if ((c == '0' || c == '#') && where != Where::kSuffix) {
      where = Where::kField;
      if (!mask.point) {
        if (c == '0' && firstZero < 0) firstZero = integerSlots;
        ++integerSlots;
      } else {
        ++mask.fractionMax;
        if (c == '0') mask.fractionMin = mask.fractionMax;
      }
    } else if (c == '.' && where != Where::kSuffix && !mask.point) {
      where = Where::kField;
      mask.point = true;
    } else {
      if (c == '%') mask.percent = true;
      literal(c);
    }
  }
  mask.integerMin = firstZero < 0 ? 0 : integerSlots - firstZero;
  return mask;
}

std::string digitsOf(double magnitude, const Mask& mask) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed,
                              mask.fractionMax);
  std::string_view all(buffer, static_cast<std::size_t>(result.ptr - buffer));
  std::size_t dot = all.find('.');
  std::string integer(all.substr(0, dot));
  std::string fraction(dot == std::string_view::npos ? std::string_view() : all.substr(dot + 1));
  while (static_cast<int>(fraction.size()) > mask.fractionMin && fraction.back() == '0') {
    fraction.pop_back();
  }
  if (integer == "0" && mask.integerMin == 0) integer.clear();
  while (static_cast<int>(integer.size()) < mask.integerMin) integer.insert(integer.begin(), '0');
  return mask.point ? integer + "." + fraction : integer;
}

}  // namespace

std::string formatMask(double value, std::string_view maskText) {
  Mask mask = parseMask(maskText);
  if (mask.percent) value *= 100.0;
  std::string body;
  if (std::isnan(value)) {
    body = "nan";
  } else if (std::isinf(value)) {
    body = "inf";
  } else {
    body = digitsOf(std::fabs(value), mask);
  }
  std::string text = mask.prefix + body + mask.suffix;
  if (value < 0) text.insert(text.begin(), '-');
  return text;
}

}  // namespace common
