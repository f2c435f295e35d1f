#include "ebp/number_stream.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <type_traits>
#include <utility>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_parse.h"
#include "common/rounding.h"

namespace ebp {

namespace {

template <typename T>
bool parseNetworkField(std::string_view field, T& value) {
  const char* end = field.data() + field.size();
  const char* stop = nullptr;
  T number = 0;
  if (!common::parseNumberPrefix(field.data(), end, stop, number, common::Exponents::kEOnly) ||
      stop != end) {
    return false;
  }
  value = number;
  return true;
}

}  // namespace

bool parseNetworkNumber(std::string_view field, double& value) {
  return parseNetworkField(field, value);
}

bool parseNetworkNumber(std::string_view field, float& value) {
  return parseNetworkField(field, value);
}

common::ToolError badFieldError(common::Fault fault, const std::string& fileName, long item,
                                std::string_view field, const char* precision) {
  const std::string detail =
      fault == common::Fault::kOverflow
          ? common::quoteInput(field) + " lies beyond " + precision + " precision"
          : "expected a number, got " + common::quoteInput(field);
  return common::makeError(fault, fileName, "item " + std::to_string(item), detail);
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

template <typename T>
T NumberStream::nextAs() {
  skipSeparators();
  if (pos_ >= text_.size()) {
    throw common::makeError(common::Fault::kPastEndOfFile, fileName_,
                            "item " + std::to_string(items_ + 1));
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !isSeparator(text_[pos_])) ++pos_;
  const std::string_view field = text_.substr(start, pos_ - start);
  T value = 0;
  if (!parseNetworkNumber(field, value)) {
    throw badFieldError(common::Fault::kTypeMismatch, fileName_, items_ + 1, field);
  }
  if (std::isinf(value)) {
    throw badFieldError(common::Fault::kOverflow, fileName_, items_ + 1, field,
                        std::is_same_v<T, float> ? "single" : "double");
  }
  ++items_;
  return value;
}

double NumberStream::next() { return nextAs<double>(); }

float NumberStream::nextSingle() { return nextAs<float>(); }

std::int32_t NumberStream::nextCount() {
  const double value = common::roundHalfEven(next());
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

namespace internal {
namespace {

// Up to "count" numbers of "text", each handed to out(value); stops at the
// first field that is not a number.
template <typename Out>
ChunkResult parseFields(std::string_view text, long count, Out&& out) {
  ChunkResult r;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (r.parsed < count) {
    while (p != end && isSeparator(*p)) ++p;
    if (p == end) break;
    double value = 0;
    const char* stop = nullptr;
    // Anything but a plain number ending at a separator (a bad field, or a
    // number beyond the doubles) is sorted out below.
    if (!common::parseNumberPrefix(p, end, stop, value, common::Exponents::kEOnly) ||
        (stop != end && !isSeparator(*stop)) || std::isinf(value)) {
      const char* fieldEnd = p;
      while (fieldEnd != end && !isSeparator(*fieldEnd)) ++fieldEnd;
      const std::string_view field(p, static_cast<std::size_t>(fieldEnd - p));
      const bool number = parseNetworkNumber(field, value);
      if (!number || std::isinf(value)) {
        r.bad = true;
        if (number) r.fault = common::Fault::kOverflow;
        r.badField = std::string(field.substr(0, 64));
        break;
      }
      stop = fieldEnd;
    }
    p = stop;
    out(value);
    ++r.parsed;
  }
  r.consumed = static_cast<std::size_t>(p - text.data());
  return r;
}

}  // namespace

ChunkResult parseChunk(std::string_view text, long count, long firstIndex,
                       const std::function<void(long, double)>& store) {
  long index = firstIndex;
  return parseFields(text, count, [&](double value) { store(index++, value); });
}

}  // namespace internal

namespace {

// The numbers that start in text[0 .. n): separator-to-field steps, counted
// without branches so that the compiler can take many characters at once.
long countFields(const char* text, std::size_t n) {
  auto separator = [](unsigned char c) -> unsigned {
    return (c == ' ') | (c == ',') | (c == '\t') | (c == '\n') | (c == '\r');
  };
  long count = n > 0 && !separator(static_cast<unsigned char>(text[0]));
  for (std::size_t i = 1; i < n; ++i) {
    count += separator(static_cast<unsigned char>(text[i - 1])) &
             (separator(static_cast<unsigned char>(text[i])) ^ 1u);
  }
  return count;
}

}  // namespace

void readNumbers(NumberStream& in, long count, const std::function<void(long, double)>& store) {
  constexpr std::size_t kWorthSplitting = 1 << 22;
  const std::string_view text = in.rest();
  if (text.size() < kWorthSplitting) {
    for (long i = 0; i < count; ++i) store(i, in.next());
    return;
  }
  // The second part is a little shorter: its thread first counts the numbers
  // of the first part, to know from which index its own are stored.
  std::size_t split = text.size() * 11 / 20;
  while (split < text.size() && !isSeparator(text[split])) ++split;
  long firstHalf = 0;
  internal::ChunkResult second;
  std::thread worker([&] {
    firstHalf = countFields(text.data(), split);
    if (firstHalf < count) {
      second = internal::parseChunk(text.substr(split), count - firstHalf, firstHalf, store);
    }
  });
  const internal::ChunkResult first = internal::parseChunk(text.substr(0, split), count, 0, store);
  worker.join();
  if (!first.bad && first.parsed >= count) {
    in.skipTaken(first.consumed, count);
    return;
  }
  const long before = in.itemsRead();
  if (first.bad) {
    throw badFieldError(first.fault, in.fileName(), before + first.parsed + 1, first.badField);
  }
  if (second.bad) {
    throw badFieldError(second.fault, in.fileName(), before + firstHalf + second.parsed + 1,
                        second.badField);
  }
  if (firstHalf + second.parsed < count) {
    throw common::makeError(common::Fault::kPastEndOfFile, in.fileName(),
                            "item " + std::to_string(before + firstHalf + second.parsed + 1));
  }
  in.skipTaken(split + second.consumed, count);
}

namespace {

// Throws the error of the bad field that ended "r", item "item" of "in".
[[noreturn]] void throwBadField(const NumberStream& in, long item, const internal::ChunkResult& r) {
  throw badFieldError(r.fault, in.fileName(), item, r.badField);
}

}  // namespace

void reserveLarge(std::vector<double>& v, std::size_t n) {
  if (v.capacity() >= n) return;
  v.reserve(n);
  common::preferLargePages(v.data(), v.capacity() * sizeof(double));
}

void readSpan(NumberStream& in, std::size_t bytes, long most, std::vector<double>& values) {
  constexpr std::size_t kWorthSplitting = 1 << 20;
  const std::string_view text = in.rest();
  std::size_t span = std::min(bytes, text.size());
  while (span < text.size() && !isSeparator(text[span])) ++span;
  const long before = in.itemsRead();
  auto append = [&values](double v) { values.push_back(v); };
  if (span < kWorthSplitting) {
    const internal::ChunkResult r = internal::parseFields(text.substr(0, span), most, append);
    if (r.bad) throwBadField(in, before + r.parsed + 1, r);
    in.skipTaken(r.consumed, r.parsed);
    return;
  }
  std::size_t split = span / 2;
  while (split < span && !isSeparator(text[split])) ++split;
  // The second half's numbers.
  std::vector<double> later;
  reserveLarge(later,
               values.capacity() > values.size() ? (values.capacity() - values.size()) / 2 : 0);
  internal::ChunkResult second;
  std::thread worker([&] {
    second = internal::parseFields(text.substr(split, span - split), most,
                                   [&later](double v) { later.push_back(v); });
  });
  internal::ChunkResult first;
  try {
    first = internal::parseFields(text.substr(0, split), most, append);
  } catch (...) {
    worker.join();
    throw;
  }
  worker.join();
  if (first.bad) throwBadField(in, before + first.parsed + 1, first);
  if (first.parsed >= most) {
    in.skipTaken(first.consumed, first.parsed);
    return;
  }
  // Only separators stand between the first half's last number and the split.
  const long wanted = most - first.parsed;
  if (second.parsed <= wanted) {
    if (second.bad && second.parsed < wanted) {
      throwBadField(in, before + first.parsed + second.parsed + 1, second);
    }
    values.insert(values.end(), later.begin(), later.end());
    in.skipTaken(split + second.consumed, first.parsed + second.parsed);
    return;
  }
  // The second half holds more than is wanted: take its first numbers again,
  // to know where the last one taken ends.
  const internal::ChunkResult taken =
      internal::parseFields(text.substr(split, span - split), wanted, append);
  in.skipTaken(split + taken.consumed, first.parsed + taken.parsed);
}

}  // namespace ebp
