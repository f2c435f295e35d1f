// The numbers behind a figure as a table for R, pandas or a spreadsheet:
// tab-separated, one header row, one observation per row, "." as decimal
// point, every number in a form that reads back to the same value.
//
// A text cell is one line without tabs that R's read.delim(FILE) and
// pandas' read_csv(FILE, sep="\t") read with their defaults; a plain text
// (printable UTF-8 without a double quote) is written as it is.  Otherwise:
//   - each byte of a control character (U+0000..U+001F, U+007F..U+009F:
//     NUL, tab, line ends, ESC, ...) and each byte that is not part of valid
//     UTF-8 is written \xHH in upper-case hex: ESC as \x1B, a tab as \x09,
//     a stray byte 0xFF as \xFF;
//   - a backslash followed, in the written cell, by "x" or by another
//     backslash is doubled; any other backslash stands for itself, so
//     C:\data stays as it is and \x41 in a label is written \\x41;
//   - a cell holding a double quote is written in double quotes, each quote
//     inside doubled (RFC 4180): a"b is written "a""b".
// Reading a cell back: the reader removes the quotes; then, left to right,
// \\ is one backslash, \xHH the byte HH, and anything else itself.
#ifndef COMMON_DATA_TABLE_H_
#define COMMON_DATA_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace common {

class OutputFile;

class DataTable {
 public:
  // A table with these column names (the header row).
  explicit DataTable(const std::vector<std::string>& columns);

  // The next cell of the current row: a double in 17 significant digits, a
  // single in 9, an integer, or a text (written as the file's opening says).
  // Not-a-number reads "NaN", infinities "Inf" and "-Inf".
  DataTable& add(double value);
  DataTable& add(float value);
  DataTable& add(std::int64_t value);
  DataTable& add(int value) { return add(static_cast<std::int64_t>(value)); }
  DataTable& add(std::string_view text);
  // The next cell: "items" joined by ";", each written as a text cell is and
  // a ";" inside an item written \x3B, so splitting the cell at ";" and then
  // reading each part back gives the items.  An empty cell is no item or one
  // empty item; a column beside it should tell which.
  DataTable& addList(const std::vector<std::string>& items);
  // Ends the current row.
  void endRow();

  const std::string& text() const { return text_; }

  // Writes the complete rows held so far (the header row first) to "file",
  // with CR LF line ends, and forgets them: a table of millions of rows is
  // written as it grows, in a memory of one block.
  void moveRowsTo(OutputFile& file);

  // Writes the table to "path" (CR LF line ends, as every file the toolkit
  // writes), replacing an old file only when complete.  Throws ToolError
  // when it cannot be written.
  void save(const std::string& path) const;

 private:
  void separate();
  // Appends the escaped "cell", in double quotes when it holds one.
  void addText(const std::string& cell);
  std::string text_;
  bool rowStarted_ = false;
};

}  // namespace common

#endif  // COMMON_DATA_TABLE_H_
