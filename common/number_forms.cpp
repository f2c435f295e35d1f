#include "common/number_forms.h"

#include <algorithm>
#include <bit>
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
// outside that range (the caller then formats another way).  Straight-line
// code: tables of numbers take every decade in turn.
bool sevenDigits(float magnitude, std::uint64_t& q, int& e10) {
  static constexpr std::uint64_t kFives[] = {
      1ull,         5ull,          25ull,         125ull,         625ull,         3125ull,
      15625ull,     78125ull,      390625ull,     1953125ull,     9765625ull,     48828125ull,
      244140625ull, 1220703125ull, 6103515625ull, 30517578125ull, 152587890625ull};
  static constexpr double kPowersOfTen[] = {1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2,
                                            1e-1,  1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7};
  if (!(magnitude >= 1e-10f && magnitude < 1e7f)) return false;
  const auto bits = std::bit_cast<std::uint32_t>(magnitude);
  const int biased = static_cast<int>(bits >> 23);
  const std::uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
  const int e = biased - 127 - 23;
  // The decade of 2^(biased - 127) (1233 / 4096 is log10 2 closely enough
  // for these exponents), one up when the single reaches the next power of
  // ten.
  e10 = ((biased - 127) * 1233) >> 12;
  e10 += static_cast<double>(magnitude) >= kPowersOfTen[e10 + 11];
  const int p = 6 - e10;
  if (p < 0 || p > 16) return false;
  const std::uint64_t scaled = m * kFives[p];
  const int shift = p + e;  // at most 0 over this range
  std::uint64_t remainder = 0, half = 1;
  if (shift >= 0) {
    q = scaled << shift;
  } else {
    const int s = -shift;
    q = scaled >> s;
    remainder = scaled & ((std::uint64_t{1} << s) - 1);
    half = std::uint64_t{1} << (s - 1);
  }
  // A decade the comparison missed (a power of ten the double rounds).
  if (q < 1000000 || q >= 10000000) return false;
  q += static_cast<std::uint64_t>((remainder > half) | ((remainder == half) & (q & 1)));
  if (q == 10000000) {
    q = 1000000;
    ++e10;
  }
  return true;
}

// The seven digits of q in [1e6, 1e7) as the characters of a word, the
// first digit in the low byte (so that it is stored first), then a '0'.  Built
// in a register: a word loaded from bytes just stored one by one would wait.
std::uint64_t sevenDigitChars(std::uint64_t q) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  auto pair = [](std::uint32_t n) {
    return std::uint64_t{static_cast<unsigned char>(kPairs[2 * n])} |
           std::uint64_t{static_cast<unsigned char>(kPairs[2 * n + 1])} << 8;
  };
  const auto rest = static_cast<std::uint32_t>(q % 1000000);
  return (std::uint64_t{'0'} + q / 1000000) | pair(rest / 10000) << 8 |
         pair(rest / 100 % 100) << 24 | pair(rest % 100) << 40 | std::uint64_t{'0'} << 56;
}

// Stores the eight characters of "word", its low byte first.
void storeChars(char* at, std::uint64_t word) {
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  std::memcpy(at, &word, sizeof word);
}

// Writes the sign position and the digits of q (seven, first digit at
// decimal exponent e10) as "%.7g" lays them out, trailing zeros dropped.
// Writes up to 17 characters, some past the end it returns.
char* writeSevenDigitForm(char* t, bool negative, std::uint64_t q, int e10) {
  const std::uint64_t digits = sevenDigitChars(q);
  // The place of the last digit that is not a zero (the first is not).
  const int last = (std::bit_width(digits ^ 0x3030303030303030u) - 1) / 8;
  *t++ = negative ? '-' : ' ';
  if (e10 >= 0 && e10 < 7) {
    // The digits, with the point moved in after the first e10 + 1.
    storeChars(t, digits);
    t[e10 + 1] = '.';
    storeChars(t + e10 + 2, digits >> (8 * (e10 + 1)));
    return t + (last > e10 ? last + 2 : e10 + 1);
  }
  if (e10 >= -4 && e10 < 0) {
    std::memcpy(t, "0.000000", 8);
    storeChars(t + 1 - e10, digits);
    return t + (1 - e10) + (last + 1);
  }
  *t = static_cast<char>(digits & 0xFF);
  if (last > 0) {
    t[1] = '.';
    storeChars(t + 2, digits >> 8);
  }
  t += last > 0 ? last + 2 : 1;
  const int x = e10 < 0 ? -e10 : e10;
  *t++ = 'e';
  *t++ = e10 < 0 ? '-' : '+';
  *t++ = static_cast<char>('0' + x / 10);
  *t++ = static_cast<char>('0' + x % 10);
  return t;
}

}  // namespace

char* writeConsoleSingle(char* at, float value) {
  std::uint64_t q = 0;
  int e10 = 0;
  if (sevenDigits(std::fabs(value), q, e10)) return writeSevenDigitForm(at, value < 0, q, e10);
  const double v = static_cast<double>(value);
  if (!std::isfinite(v) || v == 0) {
    const std::string text = consoleSingle(value);
    return std::copy(text.begin(), text.end(), at);
  }
  if (v > 0) *at++ = ' ';
  char* end =
      std::to_chars(at, at + kLongestConsoleSingle - 1, v, std::chars_format::general, 7).ptr;
  return end[-1] == '.' ? end - 1 : end;
}

void appendConsoleSingle(std::string& out, float value) {
  char text[kLongestConsoleSingle];
  out.append(text, writeConsoleSingle(text, value));
}

std::string consoleInteger(std::int64_t value) {
  std::string text = std::to_string(value);
  if (value >= 0) text.insert(text.begin(), ' ');
  return text;
}

}  // namespace common
