#include "ebp/number_stream.h"

#include <cmath>
#include <limits>
#include <utility>

#include "common/errors.h"
#include "common/number_parse.h"
#include "common/rounding.h"

namespace ebp {

bool parseNetworkNumber(std::string_view field, double& value) {
  const char* stop = nullptr;
  if (common::parseShortDecimal(field.data(), field.data() + field.size(), stop, value) &&
      stop == field.data() + field.size()) {
    return true;
  }
  const common::NumberScan scan = common::scanNumber(field);
  if (scan.length == 0 || scan.length != field.size()) return false;
  if (field.find_first_of("dD") != std::string_view::npos) return false;
  value = common::scanValue(field, scan);
  return true;
}

NumberStream::NumberStream(std::string_view text, std::string fileName)
    : text_(text), fileName_(std::move(fileName)) {}

void NumberStream::skipSeparators() {
  while (pos_ < text_.size() && isSeparator(text_[pos_])) ++pos_;
}

bool NumberStream::atEnd() {
  skipSeparators();
  return pos_ >= text_.size();
}

double NumberStream::next() {
  skipSeparators();
  if (pos_ >= text_.size()) {
    throw common::ToolError(common::Fault::kPastEndOfFile,
                            fileName_ + ": input past end of file after item " +
                                std::to_string(items_));
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !isSeparator(text_[pos_])) ++pos_;
  const std::string_view field = text_.substr(start, pos_ - start);
  double value = 0;
  if (!parseNetworkNumber(field, value)) {
    throw common::makeError(common::Fault::kTypeMismatch, fileName_,
                            "item " + std::to_string(items_ + 1),
                            "expected a number, got " + common::quoteInput(field));
  }
  ++items_;
  return value;
}

std::int32_t NumberStream::nextCount() {
  const double value = common::CInt(next());
  if (!(value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())) {
    throw common::makeError(common::Fault::kOverflow, fileName_, "item " + std::to_string(items_),
                            "the count does not fit a 32-bit integer");
  }
  return static_cast<std::int32_t>(value);
}

std::string_view NumberStream::rest() { return text_.substr(pos_); }

void NumberStream::skipTaken(std::size_t consumedChars, long numbers) {
  pos_ += consumedChars;
  items_ += numbers;
}

}  // namespace ebp
