#include "ui/argument_bytes.h"

#include <string_view>

#include "common/strings.h"

namespace ui {
namespace {

constexpr char16_t kEscapedByte = 0xDC00;  // + the byte, for bytes 0x80..0xFF

QString decode(const char* argument) {
  const std::string_view bytes(argument);
  QString text;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = common::utf8Length(bytes, i);
    if (length == 0) {
      text += QChar(static_cast<char16_t>(kEscapedByte + static_cast<unsigned char>(bytes[i])));
      ++i;
    } else {
      text += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(length));
      i += length;
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
