// The free-format item reader of every map renderer input file.
//
// Items are separated by commas or line ends; numeric items also by blanks.
// Reading a numeric item skips blanks and line ends and takes everything up to
// the next blank, comma or line end (an empty item reads 0).  Reading a text
// item skips blanks and line ends too; a text starting with a double quote
// runs to the next double quote, any other text to the next comma or line end,
// with blanks inside kept.  After an item, blanks and one comma or one line
// end (LF, CR LF or CR) are consumed, so a line holding exactly the items
// asked for leaves the reader at the start of the next line.
//
// Errors name the file, the item and its line:
//   map.wgt: item 57 (line 9): type mismatch: expected a number, got "abc"
#ifndef MAP_ITEM_READER_H_
#define MAP_ITEM_READER_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace map {

class ItemReader {
 public:
  // Reads "text", which must outlive the reader; "fileName" names it in errors.
  ItemReader(std::string_view text, std::string fileName);

  // The rest of the current line; the reader moves to the start of the next.
  // Throws ToolError(kPastEndOfFile) when nothing is left.
  std::string readLine();

  // Numeric items: Integer (16-bit) and Long (32-bit) values are rounded to
  // the nearest whole number, halves to even, and overflow beyond their
  // range; Single rounds to single precision; Number keeps the double.
  // Throw ToolError: kPastEndOfFile at the end, kTypeMismatch for a token
  // that is not a number, kOverflow for a whole number out of range.
  std::int16_t readInteger();
  std::int32_t readLong();
  float readSingle();
  double readNumber();

  // A text item, quotes removed; trailing blanks of an unquoted text dropped.
  std::string readText();

  // True when the last item read was ended by a line end or the end of the
  // file rather than by a comma.
  bool lastItemEndedLine() const { return endedLine_; }

  // True when nothing but blanks and line ends remains.
  bool atEnd() const;

  // The line on which the last item read began (1 for the first line).
  long lastItemLine() const { return itemLine_; }

  const std::string& fileName() const { return fileName_; }

  // Characters not yet read.
  std::size_t remaining() const { return text_.size() - pos_; }

  // "item N (line L)" for the item about to be read, for callers' messages.
  std::string place() const;

 private:
  std::string_view numericToken();
  template <typename T>
  T parseNumber(std::string_view token) const;
  template <typename T>
  T readNumberAs();
  void skipBlanksAndLineEnds();
  // Skips blanks, then one comma or one line end.
  void consumeDelimiter();
  bool takeLineEnd();  // consumes one line end at pos_ if there is one
  [[noreturn]] void throwPastEnd() const;
  std::string lastPlace() const;  // place of the item just read

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  long line_ = 1;
  long item_ = 0;  // items read so far
  long itemLine_ = 1;
  bool endedLine_ = false;
};

}  // namespace map

#endif  // MAP_ITEM_READER_H_
