#include "common/number_forms.h"

#include <charconv>
#include <cmath>

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
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                std::chars_format::general, 15);
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

void appendConsoleSingle(std::string& out, float value) {
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

std::string consoleInteger(std::int64_t value) {
  std::string text = std::to_string(value);
  if (value >= 0) text.insert(text.begin(), ' ');
  return text;
}

}  // namespace common
