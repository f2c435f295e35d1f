#include "common/errors.h"

namespace common {

std::string_view faultName(Fault fault) {
  switch (fault) {
    case Fault::kFileNotFound:
      return "file not found";
    case Fault::kPastEndOfFile:
      return "input past end of file";
    case Fault::kTypeMismatch:
      return "type mismatch";
    case Fault::kSubscriptOutOfRange:
      return "subscript out of range";
    case Fault::kOverflow:
      return "overflow";
    case Fault::kDivisionByZero:
      return "division by zero";
    case Fault::kBadFileName:
      return "bad file name or path";
    case Fault::kTooLarge:
      return "too large";
  }
  return "error";
}

ToolError::ToolError(Fault fault, const std::string& message)
    : std::runtime_error(message), fault_(fault) {}

ToolError makeError(Fault fault, std::string_view file, std::string_view place,
                    std::string_view detail) {
  std::string text(file);
  if (!place.empty()) {
    text += ": ";
    text += place;
  }
  text += ": ";
  text += faultName(fault);
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return ToolError(fault, text);
}

std::string quoteInput(std::string_view text) {
  constexpr std::size_t kMaxShown = 40;
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    quoted += (c < 32 || c > 126) ? '?' : static_cast<char>(c);
  }
  if (text.size() > kMaxShown) quoted += "...";
  quoted += '"';
  return quoted;
}

}  // namespace common
