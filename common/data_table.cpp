#include "common/data_table.h"

#include <charconv>
#include <cmath>

#include "common/output_file.h"

namespace common {
namespace {

template <class T>
void appendNumber(std::string& out, T value, int digits) {
  if (std::isnan(value)) {
    out += "NaN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-Inf" : "Inf";
    return;
  }
  char buffer[48];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  if (error == std::errc()) out.append(buffer, end);
}

}  // namespace

DataTable::DataTable(const std::vector<std::string>& columns) {
  for (const std::string& name : columns) add(name);
  endRow();
}

void DataTable::separate() {
  if (rowStarted_) text_ += '\t';
  rowStarted_ = true;
}

DataTable& DataTable::add(double value) {
  separate();
  appendNumber(text_, value, 17);
  return *this;
}

DataTable& DataTable::add(float value) {
  separate();
  appendNumber(text_, value, 9);
  return *this;
}

DataTable& DataTable::add(std::int64_t value) {
  separate();
  text_ += std::to_string(value);
  return *this;
}

DataTable& DataTable::add(std::string_view text) {
  separate();
  for (char c : text) text_ += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
  return *this;
}

void DataTable::endRow() {
  text_ += '\n';
  rowStarted_ = false;
}

namespace {

// Writes the rows of "text" up to its last line end, each ended by CR LF;
// returns how many characters were written.
std::size_t writeRows(std::string_view text, OutputFile& file) {
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    file.writeLine(text.substr(start, end - start));
  }
  return start;
}

}  // namespace

void DataTable::moveRowsTo(OutputFile& file) { text_.erase(0, writeRows(text_, file)); }

void DataTable::save(const std::string& path) const {
  OutputFile file(path);
  writeRows(text_, file);
  file.commit();
}

}  // namespace common
