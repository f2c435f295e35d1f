#include "common/tokens.h"

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

TokenReader::TokenReader(std::string_view text, std::string fileName)
    : text_(text), fileName_(std::move(fileName)) {}

std::string_view TokenReader::next() {
  const std::size_t n = text_.size();
  const char* data = text_.data();
  std::size_t i = pos_;
  while (i < n && isBlank(data[i])) ++i;
  const std::size_t start = i;
  while (i < n && !kEnders.table[static_cast<unsigned char>(data[i])]) ++i;
  std::string_view token(data + start, i - start);
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
  return token;
}

double TokenReader::readDouble() {
  std::string_view token = next();
  if (token.empty()) return 0.0;
  double value = 0.0;
  if (!parseDecimal(token, value)) throwNotANumber(token);
  return value;
}

float TokenReader::readSingle() { return static_cast<float>(readDouble()); }

std::uint64_t TokenReader::readWholeLowBits() {
  std::string_view token = next();
  if (token.empty()) return 0;
  std::size_t i = 0;
  bool negative = false;
  if (token[0] == '+' || token[0] == '-') {
    negative = token[0] == '-';
    i = 1;
  }
  if (i < token.size()) {
    std::uint64_t bits = 0;
    std::size_t j = i;
    for (; j < token.size() && token[j] >= '0' && token[j] <= '9'; ++j) {
      bits = bits * 10 + static_cast<unsigned>(token[j] - '0');  // wraps: keeps the low bits
    }
    if (j == token.size()) return negative ? ~bits + 1 : bits;
  }
  double value = 0.0;
  if (!parseDecimal(token, value)) throwNotANumber(token);
  return lowBitsOf(CInt(value));
}

void TokenReader::throwNotANumber(std::string_view token) const {
  throw makeError(Fault::kTypeMismatch, fileName_, "line " + std::to_string(tokenLine_),
                  "expected a number, got " + quoteInput(token));
}

}  // namespace common
