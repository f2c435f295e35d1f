#include "common/tokens.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/errors.h"
#include "common/number_parse.h"
#include "common/rounding.h"

namespace common {
namespace {

// Characters that end a token.
struct Enders {
  bool table[256] = {};
  constexpr Enders() {
    table[static_cast<unsigned char>(' ')] = true;
    table[static_cast<unsigned char>('\t')] = true;
    table[static_cast<unsigned char>(',')] = true;
    table[static_cast<unsigned char>('\r')] = true;
    table[static_cast<unsigned char>('\n')] = true;
  }
};
constexpr Enders kEnders;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Low 64 bits of a whole double, exact for every finite value.
std::uint64_t lowBitsOf(double whole) {
  if (!std::isfinite(whole)) return 0;
  if (std::fabs(whole) < 9223372036854775808.0) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(whole));
  }
  // Beyond 2^63 a double is a multiple of 2048, so the reduction below is exact.
  constexpr double kTwo64 = 18446744073709551616.0;
  double reduced = std::fmod(whole, kTwo64);
  if (reduced < 0) reduced += kTwo64;
  if (reduced >= kTwo64) return 0;
  return static_cast<std::uint64_t>(reduced);
}

}  // namespace

TokenReader::TokenReader(std::string_view text, std::string fileName, long firstLine)
    : text_(text), fileName_(std::move(fileName)), line_(firstLine), tokenLine_(firstLine) {}

std::string_view TokenReader::next() {
  const std::size_t n = text_.size();
  const char* data = text_.data();
  std::size_t i = pos_;
  while (i < n && isBlank(data[i])) ++i;
  const std::size_t start = i;
  while (i < n && !kEnders.table[static_cast<unsigned char>(data[i])]) ++i;
  finishToken(i);
  return std::string_view(data + start, i - start);
}

void TokenReader::finishToken(std::size_t i) {
  const std::size_t n = text_.size();
  const char* data = text_.data();
  tokenLine_ = line_;
  while (i < n && isBlank(data[i])) ++i;
  if (i < n) {
    if (data[i] == ',') {
      ++i;
    } else if (data[i] == '\n') {
      ++i;
      ++line_;
    } else if (data[i] == '\r') {
      ++i;
      if (i < n && data[i] == '\n') ++i;
      ++line_;
    }
  }
  pos_ = i;
}

void TokenReader::skipLine() {
  const std::size_t end = text_.find_first_of("\r\n", pos_);
  if (end == std::string_view::npos) {
    pos_ = text_.size();
    return;
  }
  pos_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  ++line_;
}

template <typename T>
T TokenReader::readNumber() {
  // Most tokens are plain numbers: convert them in place.
  const char* data = text_.data();
  const char* end = data + text_.size();
  const char* p = data + pos_;
  while (p != end && isBlank(*p)) ++p;
  const char* stop = nullptr;
  T value = 0;
  if (parseNumberPrefix(p, end, stop, value) &&
      (stop == end || kEnders.table[static_cast<unsigned char>(*stop)])) {
    finishToken(static_cast<std::size_t>(stop - data));
    return value;
  }
  const std::string_view token = next();
  if (token.empty()) return 0;
  if (!parseDecimal(token, value)) throwNotANumber(token);
  return value;
}

double TokenReader::readDouble() { return readNumber<double>(); }

float TokenReader::readSingle() { return readNumber<float>(); }

std::uint64_t TokenReader::readWholeLowBits() {
  // Digits-only tokens (the usual case) are taken exactly, at any length, as
  // their low 64 bits; everything else goes through the general path.
  const char* data = text_.data();
  const char* end = data + text_.size();
  const char* p = data + pos_;
  while (p != end && isBlank(*p)) ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* digits = p;
  std::uint64_t bits = 0;
  for (; p != end && *p >= '0' && *p <= '9'; ++p) {
    bits = bits * 10 + static_cast<unsigned>(*p - '0');  // wraps: keeps the low bits
  }
  if (p != digits && (p == end || kEnders.table[static_cast<unsigned char>(*p)])) {
    finishToken(static_cast<std::size_t>(p - data));
    return negative ? ~bits + 1 : bits;
  }
  std::string_view token = next();
  if (token.empty()) return 0;
  double value = 0.0;
  if (!parseDecimal(token, value)) throwNotANumber(token);
  return lowBitsOf(roundHalfEven(value));
}

void TokenReader::throwNotANumber(std::string_view token) const {
  throw makeError(Fault::kTypeMismatch, fileName_, "line " + std::to_string(tokenLine_),
                  "expected a number, got " + quoteInput(token));
}

long countLineEnds(std::string_view text) {
  long ends = static_cast<long>(std::count(text.begin(), text.end(), '\n'));
  for (std::size_t i = text.find('\r'); i != std::string_view::npos; i = text.find('\r', i + 1)) {
    if (i + 1 == text.size() || text[i + 1] != '\n') ++ends;
  }
  return ends;
}

bool firstLineIsText(std::string_view text) {
  const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
  // Only a line of text followed by more lines: a control character is
  // garbage, not a name, and a file of one line holds no records below it.
  if (end == text.size()) return false;
  const std::string_view line = text.substr(0, end);
  for (char c : line) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u == 0x7f) return false;
  }
  TokenReader reader(line, "");
  while (!reader.atEnd()) {
    const std::string_view token = reader.next();
    double value = 0;
    if (!token.empty() && !parseDecimal(token, value)) return true;
  }
  return false;
}

}  // namespace common
