#include "common/data_table.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "common/output_file.h"
#include "common/strings.h"

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

// How many bytes from s[i] on are written as \xHH: those of a control
// character (C0, DEL, C1), of the list separator "separator" (NUL, itself a
// control character, when there is none), or one byte that is no valid
// UTF-8; 0 when the character there is written as it is.
std::size_t escapedBytes(std::string_view s, std::size_t i, char separator) {
  const std::size_t n = utf8Length(s, i);
  const auto lead = static_cast<unsigned char>(s[i]);
  if (n == 0) return 1;
  if (n == 1 && (lead < 0x20 || lead == 0x7F || s[i] == separator)) return 1;
  if (n == 2 && lead == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0) return 2;
  return 0;
}

// "text" with its control characters, invalid bytes and separators escaped
// and its ambiguous backslashes doubled, appended to "out".
void appendEscaped(std::string& out, std::string_view text, char separator) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t n = escapedBytes(text, i, separator)) {
      for (std::size_t end = i + n; i < end; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        out += {'\\', 'x', kHex[b >> 4], kHex[b & 0xF]};
      }
    } else if (text[i] == '\\') {
      // Doubled only where a reader could take it for the start of an escape.
      const std::size_t next = i + 1;
      const bool ambiguous = next < text.size() && (text[next] == '\\' || text[next] == 'x' ||
                                                    escapedBytes(text, next, separator) > 0);
      out += ambiguous ? "\\\\" : "\\";
      ++i;
    } else {
      const std::size_t n = utf8Length(text, i);
      out.append(text.substr(i, n));
      i += n;
    }
  }
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
  std::string cell;
  appendEscaped(cell, text, '\0');
  addText(cell);
  return *this;
}

DataTable& DataTable::addList(const std::vector<std::string>& items) {
  std::string cell;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k > 0) cell += ';';
    appendEscaped(cell, items[k], ';');
  }
  addText(cell);
  return *this;
}

void DataTable::addText(const std::string& cell) {
  separate();
  if (cell.find('"') == std::string::npos) {
    text_ += cell;
    return;
  }
  text_ += '"';
  for (char c : cell) {
    if (c == '"') text_ += '"';
    text_ += c;
  }
  text_ += '"';
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
