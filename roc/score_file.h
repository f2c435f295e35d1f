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
#include <type_traits>
#include <utility>
#include <vector>

#include "common/tokens.h"
#include "roc/exact_auc.h"
#include "roc/sweep.h"

namespace roc {

// Calls onRecord(score, observedClass) for every record of "text" and
// returns the number of records; a callback taking two more longs gets the
// lines of the score and of the class too.  With "skipHeader" the first line
// is left out.  "fileName" names the file in errors; a token that is not a
// number throws ToolError(kTypeMismatch).
template <typename OnRecord>
std::int64_t forEachRecord(std::string_view text, const std::string& fileName,
                           OnRecord&& onRecord, bool skipHeader = false) {
  common::TokenReader reader(text, fileName);
  if (skipHeader) reader.skipLine();
  std::int64_t n = 0;
  do {
    const float score = reader.readSingle();
    if constexpr (std::is_invocable_v<OnRecord&, float, std::uint8_t, long, long>) {
      const long scoreLine = reader.tokenLine();
      const auto observedClass = static_cast<std::uint8_t>(reader.readWholeLowBits());
      onRecord(score, observedClass, scoreLine, reader.tokenLine());
    } else {
      onRecord(score, static_cast<std::uint8_t>(reader.readWholeLowBits()));
    }
    ++n;
  } while (!reader.atEnd());
  return n;
}

// What a score file holds that the results may not survive, each with the
// line of its first case (0 when there is none).
struct ScoreFindings {
  std::int64_t records = 0;
  std::int64_t outsideZeroOne = 0;  // scores below 0 or above 1
  std::int64_t notNumbers = 0;      // NaN scores
  std::int64_t otherClasses = 0;    // classes other than 0 and 1
  std::int64_t splitRecords = 0;    // records whose class stands on a later line than the score
  long firstOutside = 0, firstNotNumber = 0, firstOtherClass = 0, firstSplit = 0;
};

// The warnings a user should see about "findings" of file "fileName", one
// line each (none for a clean file).
std::vector<std::string> scoreWarnings(const ScoreFindings& findings);

// The histogram of all records of "text", in one pass; with "scores", every
// record's score is also kept there by its class (1 positive, 0 negative),
// for the exact AUC.
// "findings", when given, receives what the file holds that the results may
// not survive; "skipHeader" leaves out the first line.
ScoreHistogram readScores(std::string_view text, const std::string& fileName,
                          ClassScores* scores = nullptr, ScoreFindings* findings = nullptr,
                          bool skipHeader = false);

// The records of two score files of the same cases in the same order, by
// class, kept where both scores are numbers and the class is 0 or 1.  Throws
// ToolError naming the first record whose classes differ, or the file that
// ends first.  A file's first line is left out when its flag says so.
std::pair<ClassScores, ClassScores> pairedScores(std::string_view first,
                                                 const std::string& firstName,
                                                 std::string_view second,
                                                 const std::string& secondName,
                                                 bool skipFirstHeader = false,
                                                 bool skipSecondHeader = false);

}  // namespace roc

#endif  // ROC_SCORE_FILE_H_
