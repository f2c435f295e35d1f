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
  for (std::string_view part : {place, faultName(fault)}) {
    if (part.empty()) continue;
    if (!text.empty()) text += ": ";
    text += part;
  }
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return ToolError(fault, text);
}

ToolError withContext(std::string_view context, const ToolError& error) {
  return ToolError(error.fault(), std::string(context) + ": " + error.what());
}

namespace {

ToolError fileError(std::string_view verb, Fault fault, std::string_view path,
                    std::string_view reason) {
  std::string text = "cannot ";
  text += verb;
  text += " \"";
  text += path;
  text += "\": ";
  text += faultName(fault);
  text += " (";
  text += reason;
  text += ")";
  return ToolError(fault, text);
}

}  // namespace

ToolError cannotOpen(Fault fault, std::string_view path, std::string_view reason) {
  return fileError("open", fault, path, reason);
}

ToolError cannotWrite(std::string_view path, std::string_view reason) {
  return fileError("write", Fault::kBadFileName, path, reason);
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
