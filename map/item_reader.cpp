#include "map/item_reader.h"

#include <cmath>
#include <limits>
#include <utility>

#include "common/errors.h"
#include "common/number_parse.h"
#include "common/rounding.h"

namespace map {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

ItemReader::ItemReader(std::string_view text, std::string fileName)
    : text_(text), fileName_(std::move(fileName)) {}

std::string ItemReader::place() const {
  return "item " + std::to_string(item_ + 1) + " (line " + std::to_string(line_) + ")";
}

std::string ItemReader::lastPlace() const {
  return "item " + std::to_string(item_) + " (line " + std::to_string(itemLine_) + ")";
}

void ItemReader::throwPastEnd() const {
  throw common::makeError(common::Fault::kPastEndOfFile, fileName_, place());
}

bool ItemReader::takeLineEnd() {
  if (pos_ >= text_.size()) return false;
  if (text_[pos_] == '\n') {
    ++pos_;
  } else if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else {
    return false;
  }
  ++line_;
  return true;
}

void ItemReader::skipBlanksAndLineEnds() {
  while (pos_ < text_.size()) {
    if (isBlank(text_[pos_])) {
      ++pos_;
    } else if (!takeLineEnd()) {
      break;
    }
  }
}

void ItemReader::consumeDelimiter() {
  while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
  endedLine_ = pos_ >= text_.size();
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
  } else if (takeLineEnd()) {
    endedLine_ = true;
  }
}

bool ItemReader::atEnd() const {
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    if (!isBlank(text_[i]) && !isLineEnd(text_[i])) return false;
  }
  return true;
}

std::string ItemReader::readLine() {
  if (pos_ >= text_.size()) throwPastEnd();
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !isLineEnd(text_[pos_])) ++pos_;
  std::string line(text_.substr(start, pos_ - start));
  takeLineEnd();
  return line;
}

std::string_view ItemReader::numericToken() {
  skipBlanksAndLineEnds();
  if (pos_ >= text_.size()) throwPastEnd();
  itemLine_ = line_;
  const std::size_t start = pos_;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (isBlank(c) || c == ',' || isLineEnd(c)) break;
    ++pos_;
  }
  return text_.substr(start, pos_ - start);
}

template <typename T>
T ItemReader::parseNumber(std::string_view token) const {
  if (token.empty()) return 0;
  T value = 0;
  if (!common::parseDecimal(token, value)) {
    throw common::makeError(common::Fault::kTypeMismatch, fileName_, place(),
                            "expected a number, got " + common::quoteInput(token));
  }
  return value;
}

template <typename T>
T ItemReader::readNumberAs() {
  const T value = parseNumber<T>(numericToken());
  consumeDelimiter();
  ++item_;
  return value;
}

double ItemReader::readNumber() { return readNumberAs<double>(); }

float ItemReader::readSingle() { return readNumberAs<float>(); }

namespace {

template <typename T>
T wholeItem(double value, const std::string& file, const std::string& place) {
  const double r = common::roundHalfEven(value);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max()))) {
    throw common::makeError(
        common::Fault::kOverflow, file, place,
        "the value does not fit an integer of " + std::to_string(8 * sizeof(T)) + " bits");
  }
  return static_cast<T>(r);
}

}  // namespace

std::int16_t ItemReader::readInteger() {
  const double value = readNumber();
  return wholeItem<std::int16_t>(value, fileName_, lastPlace());
}

std::int32_t ItemReader::readLong() {
  const double value = readNumber();
  return wholeItem<std::int32_t>(value, fileName_, lastPlace());
}

std::string ItemReader::readText() {
  skipBlanksAndLineEnds();
  if (pos_ >= text_.size()) throwPastEnd();
  itemLine_ = line_;
  std::string text;
  if (text_[pos_] == '"') {
    const std::size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      if (!takeLineEnd()) ++pos_;
    }
    text.assign(text_.substr(start, pos_ - start));
    if (pos_ < text_.size()) ++pos_;  // the closing quote
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && isBlank(text_[end - 1])) --end;
    text.assign(text_.substr(start, end - start));
  }
  consumeDelimiter();
  ++item_;
  return text;
}

}  // namespace map
