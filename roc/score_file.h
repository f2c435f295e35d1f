// The score file of rocplot: records of (score, observed class).
//
// The file is a stream of console number tokens (see common/tokens.h) read
// two to a record: the score, stored as a single, then the class, stored as
// the low 8 bits of a whole number.  Records are read until the text is at
// its end after a record, so there is always at least one: an empty file
// holds one record (0, 0), and so does a trailing blank line.
#ifndef ROC_SCORE_FILE_H_
#define ROC_SCORE_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "common/tokens.h"
#include "roc/sweep.h"

namespace roc {

// Calls onRecord(score, observedClass) for every record of "text" and
// returns the number of records.  "fileName" names the file in errors; a
// token that is not a number throws ToolError(kTypeMismatch).
template <typename OnRecord>
std::int64_t forEachRecord(std::string_view text, const std::string& fileName,
                           OnRecord&& onRecord) {
  common::TokenReader reader(text, fileName);
  std::int64_t n = 0;
  do {
    const float score = reader.readSingle();
    const auto observedClass = static_cast<std::uint8_t>(reader.readWholeLowBits());
    onRecord(score, observedClass);
    ++n;
  } while (!reader.atEnd());
  return n;
}

// The histogram of all records of "text", in one pass.
ScoreHistogram readScores(std::string_view text, const std::string& fileName);

}  // namespace roc

#endif  // ROC_SCORE_FILE_H_
