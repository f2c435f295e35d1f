#include "common/data_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace common {
namespace {

using namespace std::string_literals;  // texts with NUL bytes inside

// The one cell of a table of one column and one row.
std::string cellOf(const DataTable& table) {
  const std::string& text = table.text();
  const std::size_t start = text.find('\n') + 1;
  EXPECT_EQ(text.find('\n', start), text.size() - 1) << "one row of one line";
  return text.substr(start, text.size() - 1 - start);
}

std::string textCell(const std::string& text) {
  DataTable table({"label"});
  table.add(text).endRow();
  return cellOf(table);
}

std::string listCell(const std::vector<std::string>& items) {
  DataTable table({"labels"});
  table.addList(items).endRow();
  return cellOf(table);
}

// A cell without the quotes a reader removes.
std::string unquote(const std::string& cell) {
  if (cell.empty() || cell.front() != '"') return cell;
  std::string inner;
  for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
    inner += cell[i];
    if (cell[i] == '"') ++i;  // the second of a doubled quote
  }
  return inner;
}

// Escapes read as the header says: \\ one backslash, \xHH the byte HH,
// anything else itself.
std::string unescape(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\\\") == 0) {
      bytes += '\\';
      ++i;
    } else if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size() &&
               std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
               std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

std::string readBack(const std::string& cell) { return unescape(unquote(cell)); }

std::vector<std::string> readBackList(const std::string& cell) {
  const std::string joined = unquote(cell);
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t end; (end = joined.find(';', start)) != std::string::npos; start = end + 1) {
    items.push_back(unescape(joined.substr(start, end - start)));
  }
  items.push_back(unescape(joined.substr(start)));
  return items;
}

TEST(DataTable, TextCellsAreOneLineThatReadsBack) {
  const struct {
    std::string text, cell;
  } cases[] = {
      {"setosa 12", "setosa 12"},  // plain texts stay as they are
      {"  blanks # and ; too ", "  blanks # and ; too "},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\xB8", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\xB8"},
      {"a\"b", "\"a\"\"b\""},  // RFC 4180 quoting
      {"\"", "\"\"\"\""},
      {"\"quoted\"", "\"\"\"quoted\"\"\""},
      {"tab\there", "tab\\x09here"},
      {"cr\rlf\ncrlf\r\n", "cr\\x0Dlf\\x0Acrlf\\x0D\\x0A"},
      {"nul\0esc\x1B\x7F"s, "nul\\x00esc\\x1B\\x7F"},
      {"c1 \xC2\x85\xC2\x9B \xC2\xA0", "c1 \\xC2\\x85\\xC2\\x9B \xC2\xA0"},  // NBSP is text
      {"stray \x80\xFF", "stray \\x80\\xFF"},
      {"cut \xE2\x82", "cut \\xE2\\x82"},
      {"overlong \xC0\xAF \xE0\x80\xAF", "overlong \\xC0\\xAF \\xE0\\x80\\xAF"},
      {"surrogate \xED\xA0\x80", "surrogate \\xED\\xA0\\x80"},
      {"too big \xF4\x90\x80\x80", "too big \\xF4\\x90\\x80\\x80"},
      {"C:\\data\\", "C:\\data\\"},  // backslashes no reader mistakes
      {"\\x41", "\\\\x41"},
      {"a\\\\b", "a\\\\\\b"},
      {"\\\x1B", "\\\\\\x1B"},
      {"\\\xFF", "\\\\\\xFF"},
      {"\\\"", "\"\\\"\"\""},
      {"", ""},
  };
  for (const auto& c : cases) {
    const std::string cell = textCell(c.text);
    EXPECT_EQ(cell, c.cell) << c.text;
    EXPECT_EQ(readBack(cell), c.text) << cell;
  }
}

TEST(DataTable, ListCellsSplitAtTheSeparatorOnly) {
  const struct {
    std::vector<std::string> items;
    std::string cell;
  } cases[] = {
      {{"Iris-setosa", "Iris-versicolor"}, "Iris-setosa;Iris-versicolor"},
      {{"a;b", "c"}, "a\\x3Bb;c"},
      {{";", ""}, "\\x3B;"},
      {{"ends\\", "x"}, "ends\\;x"},
      {{"\\;", "q\""}, "\"\\\\\\x3B;q\"\"\""},
      {{"tab\t", "lf\n"}, "tab\\x09;lf\\x0A"},
  };
  for (const auto& c : cases) {
    const std::string cell = listCell(c.items);
    EXPECT_EQ(cell, c.cell);
    EXPECT_EQ(readBackList(cell), c.items) << cell;
  }
  // Every text of up to four characters from the troublesome ones reads
  // back whole, alone and as an item of a list.
  const std::string alphabet = "\\x;\"A\x1B\xC3\xA9"s;
  std::vector<std::string> texts = {""};
  for (std::size_t from = 0, length = 0; length < 4; ++length) {
    const std::size_t to = texts.size();
    for (std::size_t k = from; k < to; ++k) {
      for (char c : alphabet) texts.push_back(texts[k] + c);
    }
    from = to;
  }
  for (const std::string& text : texts) {
    EXPECT_EQ(readBack(textCell(text)), text) << text;
    EXPECT_EQ(readBackList(listCell({text, text})), (std::vector<std::string>{text, text})) << text;
  }
}

}  // namespace
}  // namespace common
