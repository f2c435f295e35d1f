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
#include <utility>
#include <vector>

#include "common/tokens.h"
#include "roc/exact_auc.h"
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

// The histogram of all records of "text", in one pass; with "scores", every
// record's score is also kept there by its class (1 positive, 0 negative),
// for the exact AUC.
ScoreHistogram readScores(std::string_view text, const std::string& fileName,
                          ClassScores* scores = nullptr);

// The records of two score files of the same cases in the same order, by
// class, kept where both scores are numbers and the class is 0 or 1.  Throws
// ToolError naming the first record whose classes differ, or the file that
// ends first.
std::pair<ClassScores, ClassScores> pairedScores(std::string_view first,
                                                 const std::string& firstName,
                                                 std::string_view second,
                                                 const std::string& secondName);

}  // namespace roc

#endif  // ROC_SCORE_FILE_H_
