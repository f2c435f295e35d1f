#include "colfold/conversion.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>

#include "common/background_job.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/output_file.h"
#include "common/tokens.h"

namespace colfold {

namespace {

// A block's output text, written in place, number after number.
class OutputText {
 public:
  // Room for "n" more characters at the end.
  char* room(std::size_t n) {
    if (capacity_ - size_ < n) {
      const std::size_t capacity = std::max(capacity_ * 2, size_ + n);
      auto grown = std::make_unique_for_overwrite<char[]>(capacity);
      // Megabytes written once each: large pages save a fault per 4 KB.
      common::preferLargePages(grown.get(), capacity);
      std::copy(data_.get(), data_.get() + size_, grown.get());
      data_ = std::move(grown);
      capacity_ = capacity;
    }
    return data_.get() + size_;
  }
  void grewTo(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void clear() { size_ = 0; }
  std::string_view text() const { return {data_.get(), size_}; }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0, capacity_ = 0;
};

// Converts "text" into "out"; its first line is "firstLine" of the file.
std::int64_t convertInto(std::string_view text, const std::string& fileName, OutputText& out,
                         long firstLine = 1) {
  common::TokenReader reader(text, fileName, firstLine);
  std::int64_t count = 0;
  out.room(text.size() + text.size() / 2);
  while (!reader.atEnd()) {
    const float value = reader.readSingle();
    char* at = out.room(common::kLongestConsoleSingle + 2);
    at = common::writeConsoleSingle(at, value);
    *at++ = '\r';
    *at++ = '\n';
    out.grewTo(at);
    ++count;
  }
  return count;
}

}  // namespace

std::int64_t convertValues(std::string_view text, const std::string& fileName, std::string& out) {
  OutputText converted;
  const std::int64_t count = convertInto(text, fileName, converted);
  out += converted.text();
  return count;
}

namespace {

// Where a block may end: right after a line feed, where the token reader
// starts afresh, at or after "from"; the end of the text when there is none.
std::size_t lineBoundary(std::string_view text, std::size_t from) {
  if (from >= text.size()) return text.size();
  const std::size_t lf = text.find('\n', from);
  return lf == std::string_view::npos ? text.size() : lf + 1;
}

// Throws "error", met converting text[from, to) as a block of its own: a
// token error is met again with the block's lines numbered from where it
// stands in the file, so that the message names the file's line.
[[noreturn]] void rethrowFromBlock(std::exception_ptr error, std::string_view text,
                                   std::size_t from, std::size_t to, const std::string& fileName) {
  if (from > 0) {
    OutputText scratch;
    convertInto(text.substr(from, to - from), fileName, scratch,
                1 + common::countLineEnds(text.substr(0, from)));
  }
  std::rethrow_exception(error);
}

// Converts text[at, middle) into "first" here and text[middle, end) into
// "second" on a thread of its own, and returns how many values they hold.  A
// token that is not a number stops the conversion; the first half's error
// is the earlier one.
std::int64_t convertHalves(std::string_view text, std::size_t at, std::size_t middle,
                           std::size_t end, const std::string& fileName, OutputText& first,
                           OutputText& second) {
  first.clear();
  second.clear();
  std::int64_t secondCount = 0;
  std::exception_ptr secondError;
  std::thread worker;
  if (middle < end) {
    worker = std::thread([&] {
      try {
        secondCount = convertInto(text.substr(middle, end - middle), fileName, second);
      } catch (...) {
        secondError = std::current_exception();
      }
    });
  }
  std::int64_t firstCount = 0;
  std::exception_ptr firstError;
  try {
    firstCount = convertInto(text.substr(at, middle - at), fileName, first);
  } catch (...) {
    firstError = std::current_exception();
  }
  if (worker.joinable()) worker.join();
  if (firstError) rethrowFromBlock(firstError, text, at, middle, fileName);
  if (secondError) rethrowFromBlock(secondError, text, middle, end, fileName);
  return firstCount + secondCount;
}

}  // namespace

std::int64_t convertFile(const Fields& fields,
                         const std::function<void(double done, double total)>& progress) {
  common::checkOutputs({fields[0]}, {fields[1]});
  common::MappedFile input(fields[0]);
  common::OutputFile output(fields[1]);
  output.writeLine(fields[2]);
  output.writeLine(fields[3]);
  output.writeLine(fields[4]);
  const std::string_view text = input.text();
  constexpr std::size_t kBlock = 8 << 20;
  std::int64_t count = 0;
  // Two pairs of halves: one pair is written while the next is converted.
  OutputText halves[2][2];
  common::BackgroundJob writer;
  int current = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t middle = lineBoundary(text, at + kBlock);
    const std::size_t end = lineBoundary(text, middle + kBlock);
    OutputText& first = halves[current][0];
    OutputText& second = halves[current][1];
    count += convertHalves(text, at, middle, end, fields[0], first, second);
    writer.start([&output, &first, &second] {
      output.write(first.text());
      output.write(second.text());
    });
    current ^= 1;
    input.releaseBefore(end);
    at = end;
    if (progress) progress(static_cast<double>(at), static_cast<double>(text.size()));
  }
  writer.finish();
  output.commit();
  return count;
}

}  // namespace colfold
