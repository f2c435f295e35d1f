#include "surface/internal/svg_text.h"

#include <QList>
#include <QString>
#include <charconv>
#include <cmath>
#include <system_error>

#include "surface/internal/text_bytes.h"

namespace surface::internal {

void svgNumber(std::string& out, double v) {
  if (!std::isfinite(v)) v = 0;
  v = std::round(v * 1000) / 1000;
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 3);
  if (error != std::errc()) return;
  char* last = end;
  while (last > buffer && last[-1] == '0') --last;
  if (last > buffer && last[-1] == '.') --last;
  if (last - buffer == 2 && buffer[0] == '-' && buffer[1] == '0') {
    out += '0';
    return;
  }
  out.append(buffer, last);
}

void svgColour(std::string& out, std::uint32_t argb) {
  static const char kHex[] = "0123456789abcdef";
  out += '#';
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(argb >> shift) & 0xF];
}

void svgEscaped(std::string& out, const std::string& text) {
  for (const char32_t c : textOf(text).toUcs4()) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        if (c == 0xFFFE || c == 0xFFFF) {
          // No XML document may hold these: left out, as control characters are.
        } else if (c >= 0x80) {
          out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
        } else if (c >= 0x20) {
          out += static_cast<char>(c);
        }
    }
  }
}

}  // namespace surface::internal
