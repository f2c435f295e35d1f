#include "ui/argument_bytes.h"

#include <cstring>

namespace ui {
namespace {

constexpr char16_t kEscapedByte = 0xDC00;  // + the byte, for bytes 0x80..0xFF

// The length of the valid UTF-8 sequence at "s" (at most "left" bytes), or
// 0 when none starts there.  Overlong forms, surrogates and code points past
// U+10FFFF are not valid.
int validSequence(const unsigned char* s, std::size_t left, char32_t& codePoint) {
  const unsigned char b = s[0];
  int length;
  char32_t least;
  if (b < 0x80) {
    codePoint = b;
    return 1;
  } else if ((b & 0xE0) == 0xC0) {
    length = 2, codePoint = b & 0x1F, least = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    length = 3, codePoint = b & 0x0F, least = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    length = 4, codePoint = b & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (left < static_cast<std::size_t>(length)) return 0;
  for (int i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (s[i] & 0x3F);
  }
  if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

QString decode(const char* argument) {
  const auto* s = reinterpret_cast<const unsigned char*>(argument);
  const std::size_t size = std::strlen(argument);
  QString text;
  for (std::size_t i = 0; i < size;) {
    char32_t codePoint;
    const int length = validSequence(s + i, size - i, codePoint);
    if (length == 0) {
      text += QChar(static_cast<char16_t>(kEscapedByte + s[i]));
      ++i;
    } else {
      text += QString::fromUcs4(&codePoint, 1);
      i += static_cast<std::size_t>(length);
    }
  }
  return text;
}

}  // namespace

QStringList argumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << decode(argv[i]);
  return arguments;
}

std::string argumentBytes(const QString& argument) {
  std::string bytes;
  QString run;  // valid text since the last escaped byte
  auto flush = [&] {
    bytes += run.toStdString();
    run.clear();
  };
  bool afterHighSurrogate = false;
  for (const QChar c : argument) {
    const char16_t unit = c.unicode();
    // A lone low surrogate only: the second half of a pair follows a high
    // surrogate, and decode() never leaves a high surrogate alone.
    const bool escaped =
        unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF && !afterHighSurrogate;
    afterHighSurrogate = c.isHighSurrogate();
    if (!escaped) {
      run += c;
      continue;
    }
    flush();
    bytes += static_cast<char>(unit - kEscapedByte);
  }
  flush();
  return bytes;
}

}  // namespace ui
