#include "common/rounding.h"

#include <cmath>
#include <limits>
#include <string>

#include "common/errors.h"
#include "common/number_parse.h"

namespace common {

double roundHalfEven(double x) {
  // nearbyint honours the current rounding mode, which we never change from
  // round-to-nearest-even.
  return std::nearbyint(x);
}

double leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const char* stop = nullptr;
  double value = 0.0;
  parseNumberPrefix(text.data() + i, text.data() + text.size(), stop, value);
  return value;
}

namespace {

template <typename T>
T narrow(double x, std::string_view what) {
  double r = roundHalfEven(x);
  // Written so that NaN fails the test too.
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max()))) {
    throw makeError(Fault::kOverflow, what, "");
  }
  return static_cast<T>(r);
}

}  // namespace

std::int16_t toInteger(double x, std::string_view what) { return narrow<std::int16_t>(x, what); }

std::int32_t toLong(double x, std::string_view what) { return narrow<std::int32_t>(x, what); }

}  // namespace common
