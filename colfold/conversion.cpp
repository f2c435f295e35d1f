#include "colfold/conversion.h"

#include <thread>

#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/text_writer.h"
#include "common/tokens.h"

namespace colfold {

std::int64_t convertValues(std::string_view text, const std::string& fileName, std::string& out) {
  common::TokenReader reader(text, fileName);
  std::int64_t count = 0;
  out.reserve(out.size() + text.size() + text.size() / 2);
  common::ShortDecimal digits;
  while (!reader.atEnd()) {
    const float value = reader.readSingle(digits);
    common::appendConsoleSingle(out, value, digits);
    out += "\r\n";
    ++count;
  }
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

}  // namespace

std::int64_t convertFile(const Fields& fields,
                         const std::function<void(double done, double total)>& progress) {
  common::MappedFile input(fields[0]);
  common::TextFileWriter output(fields[1]);
  output.writeLine(fields[2]);
  output.writeLine(fields[3]);
  output.writeLine(fields[4]);
  const std::string_view text = input.text();
  constexpr std::size_t kBlock = 8 << 20;
  std::int64_t count = 0;
  std::string first, second;
  // A token that is not a number stops the conversion; in blocks, the first
  // half's error is the earlier one.
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t middle = lineBoundary(text, at + kBlock);
    const std::size_t end = lineBoundary(text, middle + kBlock);
    first.clear();
    second.clear();
    std::int64_t secondCount = 0;
    std::exception_ptr secondError;
    std::thread worker;
    if (middle < end) {
      worker = std::thread([&] {
        try {
          secondCount = convertValues(text.substr(middle, end - middle), fields[0], second);
        } catch (...) {
          secondError = std::current_exception();
        }
      });
    }
    std::int64_t firstCount = 0;
    try {
      firstCount = convertValues(text.substr(at, middle - at), fields[0], first);
    } catch (...) {
      if (worker.joinable()) worker.join();
      throw;
    }
    if (worker.joinable()) worker.join();
    if (secondError) std::rethrow_exception(secondError);
    output.write(first);
    output.write(second);
    count += firstCount + secondCount;
    at = end;
    if (progress) progress(static_cast<double>(at), static_cast<double>(text.size()));
  }
  output.commit();
  return count;
}

}  // namespace colfold
