// The number stream of the network files (.pat, .wgt, noise.cfg).
//
// The files are streams of decimal numbers (optional sign, digits with an
// optional point and fraction, optional exponent E or e) separated by commas,
// blanks, tabs and line ends in any mix; line structure carries no meaning.
// A reader takes numbers one after another and never looks past the last
// one it needs.  Errors name the file and the item:
//   weights.wgt: item 57: type mismatch: expected a number, got "abc"
//   weights.wgt: input past end of file after item 412
#ifndef EBP_NUMBER_STREAM_H_
#define EBP_NUMBER_STREAM_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"

namespace ebp {

class NumberStream {
 public:
  // Reads "text", which must outlive the stream; "fileName" names it in errors.
  NumberStream(std::string_view text, std::string fileName);

  // The next number.  Throws ToolError: kPastEndOfFile when none is left,
  // kTypeMismatch for a field that is not a number, kOverflow for a number
  // beyond the range of doubles ("1e400").
  double next();

  // The next number as a single, rounded once from its digits; kOverflow
  // when it lies beyond the singles.
  float nextSingle();

  // The next number as a whole count (rounded, halves to even); kOverflow
  // when it lies outside 32-bit integers.
  std::int32_t nextCount();

  // True when only separators remain.
  bool atEnd();

  // Numbers read so far.
  long itemsRead() const { return items_; }
  const std::string& fileName() const { return fileName_; }

  // The rest of the text from the current position (for readers that split
  // the work of a long stream), and moving past "count" numbers taken from it.
  std::string_view rest();
  void skipTaken(std::size_t consumedChars, long numbers);

 private:
  void skipSeparators();
  template <typename T>
  T nextAs();

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  long items_ = 0;
};

// Reads the next "count" numbers of "in", calling store(index, value) with
// index 0 .. count-1, and leaves "in" after the last of them.  A long stream
// is split at a separator and its halves parsed on two threads, each calling
// "store" for its own indices in increasing order (so the store must accept
// calls from two threads for different indices).  The numbers and the error
// reported (the first bad item in the file) are those of reading one number
// after another.
void readNumbers(NumberStream& in, long count, const std::function<void(long, double)>& store);

// Appends to "values" the next numbers of "in", at most "most", from about
// its next "bytes" characters (the span ends at a separator; past it nothing
// is taken), and leaves "in" after the last number taken.  A long span is
// parsed in two halves on two threads, each into its own buffer, so nothing
// is counted twice.  Throws like next() for a field that is not a number
// among those taken; fewer numbers than "most" is no error (the caller reads
// on, or finds the end of the file).
void readSpan(NumberStream& in, std::size_t bytes, long most, std::vector<double>& values);

namespace internal {
struct ChunkResult {
  long parsed = 0;
  std::size_t consumed = 0;
  bool bad = false;
  common::Fault fault = common::Fault::kTypeMismatch;  // of a bad field
  std::string badField;
};
// Parses up to "count" numbers of "text" into store(firstIndex + i, value);
// stops at the first bad field.
ChunkResult parseChunk(std::string_view text, long count, long firstIndex,
                       const std::function<void(long, double)>& store);
}  // namespace internal

// Parses one field of a network file; false when it is not a number of the
// files' syntax (D exponents and inf/nan words are not).  A number beyond the
// range of doubles gives an infinite value, which the readers report as an
// overflow (the syntax has no other way to an infinity).
bool parseNetworkNumber(std::string_view field, double& value);
bool parseNetworkNumber(std::string_view field, float& value);

// The error of item "item" of "fileName", the field "field" being no number
// (kTypeMismatch) or one beyond the "precision" ("double" or "single")
// (kOverflow).
common::ToolError badFieldError(common::Fault fault, const std::string& fileName, long item,
                                std::string_view field, const char* precision = "double");

// Makes room for "n" values in "v", in large pages where the system allows
// (a buffer of megabytes written once each would otherwise fault every
// 4 KB).
void reserveLarge(std::vector<double>& v, std::size_t n);

// True for the characters that separate numbers.
inline bool isSeparator(char c) {
  return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace ebp

#endif  // EBP_NUMBER_STREAM_H_
