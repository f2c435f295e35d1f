#include "common/number_forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace common {

std::string generalForm(double value, int digits) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0) value = 0.0;  // folds -0 into 0
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, result.ptr);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

void appendFileNumber(std::string& out, double value) {
  out += (value < 0) ? '-' : ' ';
  const double magnitude = std::fabs(value);
  if (std::isnan(value)) {
    out += "nan";
  } else if (std::isinf(value)) {
    out += "inf";
  } else {
    char buffer[48];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 15);
    out.append(buffer, result.ptr);
  }
  out += ' ';
}

std::string fileNumber(double value) {
  std::string text;
  appendFileNumber(text, value);
  return text;
}

std::string shortSingle(float value) { return generalForm(static_cast<double>(value), 7); }

namespace {

std::string withSignBlank(double value, std::string text) {
  // "Not negative" includes NaN, which has no sign to show.
  if (!(value < 0)) text.insert(text.begin(), ' ');
  return text;
}

}  // namespace

std::string consoleDouble(double value) { return withSignBlank(value, generalForm(value, 16)); }

std::string consoleSingle(float value) {
  return withSignBlank(value, generalForm(static_cast<double>(value), 7));
}

namespace {

// "%.7g" of a single whose magnitude lies in [1e-10, 1e7), in integers: the
// single is m 2^e with m below 2^24, so m 5^p (p = 0..16) fits 64 bits and
// its shift by p + e gives the single times 10^p with every bit of its
// fraction, and rounding that to a whole number rounds the exact value to
// seven digits, halves to even, as printf does.  Gives the digits as an
// integer q in [1e6, 1e7) and the decimal exponent e10 of the first; false
// for a denormal (the caller then formats another way).
bool sevenDigits(float magnitude, std::uint64_t& q, int& e10) {
  static constexpr std::uint64_t kFives[] = {
      1ull,         5ull,          25ull,         125ull,         625ull,         3125ull,
      15625ull,     78125ull,      390625ull,     1953125ull,     9765625ull,     48828125ull,
      244140625ull, 1220703125ull, 6103515625ull, 30517578125ull, 152587890625ull};
  std::uint32_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 23);
  if (biased == 0) return false;
  const std::uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
  const int e = biased - 127 - 23;
  e10 = static_cast<int>(std::floor((biased - 127) * 0.30102999566398120));
  std::uint64_t remainder = 0, half = 0;
  bool found = false;
  for (int attempt = 0; attempt < 4 && !found; ++attempt) {
    const int p = 6 - e10;
    if (p < 0 || p > 16) return false;
    const std::uint64_t scaled = m * kFives[p];
    const int shift = p + e;
    remainder = 0;
    half = 0;
    if (shift >= 0) {
      if (shift >= 40 || (scaled >> (63 - shift)) != 0) {
        ++e10;
        continue;
      }
      q = scaled << shift;
    } else {
      const int s = -shift;
      if (s >= 64) {
        --e10;
        continue;
      }
      q = scaled >> s;
      remainder = scaled & ((std::uint64_t{1} << s) - 1);
      half = std::uint64_t{1} << (s - 1);
    }
    if (q < 1000000) {
      --e10;
    } else if (q >= 10000000) {
      ++e10;
    } else {
      found = true;
    }
  }
  if (!found) return false;
  if (remainder > half || (remainder == half && half != 0 && (q & 1) != 0)) ++q;
  if (q == 10000000) {
    q = 1000000;
    ++e10;
  }
  return true;
}

// Appends the sign position and the digits of q (seven, first digit at
// decimal exponent e10) as "%.7g" lays them out, trailing zeros dropped.
char* writeSevenDigitForm(char* t, bool negative, std::uint64_t q, int e10) {
  char digits[8];
  for (int i = 6; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + q % 10);
    q /= 10;
  }
  int last = 6;  // the last digit that is not a trailing zero
  while (last > 0 && digits[last] == '0') --last;
  *t++ = negative ? '-' : ' ';
  if (e10 < -4 || e10 >= 7) {
    *t++ = digits[0];
    if (last > 0) {
      *t++ = '.';
      for (int i = 1; i <= last; ++i) *t++ = digits[i];
    }
    const int x = e10 < 0 ? -e10 : e10;
    *t++ = 'e';
    *t++ = e10 < 0 ? '-' : '+';
    *t++ = static_cast<char>('0' + x / 10);
    *t++ = static_cast<char>('0' + x % 10);
  } else if (e10 >= 0) {
    for (int i = 0; i <= e10; ++i) *t++ = digits[i];
    if (last > e10) {
      *t++ = '.';
      for (int i = e10 + 1; i <= last; ++i) *t++ = digits[i];
    }
  } else {
    *t++ = '0';
    *t++ = '.';
    for (int i = 0; i < -e10 - 1; ++i) *t++ = '0';
    for (int i = 0; i <= last; ++i) *t++ = digits[i];
  }
  return t;
}

void appendSevenDigitForm(std::string& out, bool negative, std::uint64_t q, int e10) {
  char text[24];
  out.append(text, writeSevenDigitForm(text, negative, q, e10));
}

bool appendSevenDigits(std::string& out, float value) {
  const float magnitude = std::fabs(value);
  if (!(magnitude >= 1e-10f && magnitude < 1e7f)) return false;
  std::uint64_t q = 0;
  int e10 = 0;
  if (!sevenDigits(magnitude, q, e10)) return false;
  appendSevenDigitForm(out, value < 0, q, e10);
  return true;
}

}  // namespace

void appendConsoleSingle(std::string& out, float value) {
  if (appendSevenDigits(out, value)) return;
  const double v = static_cast<double>(value);
  if (!std::isfinite(v) || v == 0) {
    out += consoleSingle(value);
    return;
  }
  char buffer[40];
  char* p = buffer;
  if (v > 0) *p++ = ' ';
  const auto result = std::to_chars(p, buffer + sizeof buffer, v, std::chars_format::general, 7);
  p = result.ptr;
  if (p[-1] == '.') --p;
  out.append(buffer, p);
}

char* writeConsoleSingle(char* at, float value, const ShortDecimal& digits) {
  const std::uint64_t m = digits.mantissa;
  // Anything else goes the general way.
  auto general = [at, value] {
    std::string text;
    appendConsoleSingle(text, value);
    return std::copy(text.begin(), text.end(), at);
  };
  if (m == 0 || m >= 10000000 || digits.fraction > 22) return general();
  std::uint64_t q = m;  // the mantissa's digits, filled up to seven with zeros
  int digitsOfM = 7;
  while (q < 1000000) {
    q *= 10;
    --digitsOfM;
  }
  const int e10 = digitsOfM - 1 - digits.fraction;  // the first digit's decimal exponent
  // Singles of 1e-10 up to 1e7 only, as the general fast path.
  if (e10 < -10 || e10 >= 7) return general();
  // The seven digits of q are those of "%.7g" when the single lies within
  // half a unit of the seventh digit of the decimal (with a margin far
  // beyond the rounding of the doubles compared): no other seven-digit
  // number is nearer, and a power of ten is never crossed (the decimal lies
  // a whole unit below one, the single nearer to it).
  static constexpr double kUnit[] = {1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
                                     1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0};
  // The decimal's double as the parser made it.
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const double decimal = static_cast<double>(m) / kPowersOfTen[digits.fraction];
  const double single = std::fabs(static_cast<double>(value));
  if (!(std::fabs(single - decimal) <= 0.49 * kUnit[e10 - 6 + 16])) return general();
  return writeSevenDigitForm(at, digits.negative, q, e10);
}

void appendConsoleSingle(std::string& out, float value, const ShortDecimal& digits) {
  char text[kLongestConsoleSingle];
  out.append(text, writeConsoleSingle(text, value, digits));
}

std::string consoleInteger(std::int64_t value) {
  std::string text = std::to_string(value);
  if (value >= 0) text.insert(text.begin(), ' ');
  return text;
}

}  // namespace common
