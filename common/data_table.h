// The numbers behind a figure as a table for R, pandas or a spreadsheet:
// tab-separated, one header row, one observation per row, "." as decimal
// point, every number in a form that reads back to the same value.
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
  // single in 9, an integer, or a text (tabs and line ends in it become
  // blanks).  Not-a-number reads "NaN", infinities "Inf" and "-Inf".
  DataTable& add(double value);
  DataTable& add(float value);
  DataTable& add(std::int64_t value);
  DataTable& add(int value) { return add(static_cast<std::int64_t>(value)); }
  DataTable& add(std::string_view text);
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
  std::string text_;
  bool rowStarted_ = false;
};

}  // namespace common

#endif  // COMMON_DATA_TABLE_H_
