// The score file of rocplot: records of (score, observed class).
//
// The file is a stream of console number tokens (see common/tokens.h) read
// two to a record: the score, kept in double precision for the exact
// statistics and rounded to a single for the sweep, then the class, stored
// as the low 8 bits of a whole number.  Records are read until the text is at
// its end after a record, so there is always at least one: an empty file
// holds one record of two empty fields, and so does a trailing blank line;
// the sweep counts it as a record of class 0, below every threshold.
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

// One record as the file holds it.
struct ScoreRecord {
  double score = 0;                // as read; NaN for an empty field (how pandas writes NaN)
  float single = 0;                // the same read as a single, for the sweep
  std::uint8_t observedClass = 0;  // the class rounded to whole (halves to even), low 8 bits
  bool emptyScore = false;
  bool classZeroOrOne = true;  // the class field reads exactly 0 or 1 (or is empty: 0)
  bool classWhole = true;      // the class field reads a whole number
  bool emptyClass = false;
  // Both fields empty with nothing after them: the record that a trailing
  // blank line (or an empty file) makes.  The sweep counts it, as it always
  // has; it is no data, so the exact statistics and the warnings leave it out.
  bool endOfFile = false;
  long scoreLine = 0, classLine = 0;
};

// Reads the next record of "reader".  A token that is not a number throws
// ToolError(kTypeMismatch) naming the file and line.
ScoreRecord readRecord(common::TokenReader& reader);

// Calls onRecord(single score, observedClass), or onRecord(const ScoreRecord&), for
// every record of "text" and returns the number of records.  With
// "skipHeader" the first line is left out.  "fileName" names the file in
// errors; a token that is not a number throws ToolError(kTypeMismatch).
template <typename OnRecord>
std::int64_t forEachRecord(std::string_view text, const std::string& fileName, OnRecord&& onRecord,
                           bool skipHeader = false) {
  common::TokenReader reader(text, fileName);
  if (skipHeader) reader.skipLine();
  std::int64_t n = 0;
  do {
    ScoreRecord r = readRecord(reader);
    r.endOfFile = r.emptyScore && r.emptyClass && reader.atEnd();
    if constexpr (std::is_invocable_v<OnRecord&, const ScoreRecord&>) {
      onRecord(r);
    } else {
      onRecord(r.single, r.observedClass);
    }
    ++n;
  } while (!reader.atEnd());
  return n;
}

// "text" without the UTF-8 byte-order mark that some editors put first.
std::string_view withoutByteOrderMark(std::string_view text);

// True when the first line of "text" holds numbers only (a data line).
bool firstLineIsNumbers(std::string_view text);

// What a score file holds that the results may not survive, each with the
// line of its first case (0 when there is none).
struct ScoreFindings {
  std::int64_t records = 0;
  std::int64_t outsideZeroOne = 0;   // scores below 0 or above 1
  std::int64_t notNumbers = 0;       // NaN scores
  std::int64_t emptyScores = 0;      // empty score fields, read as NaN
  std::int64_t otherClasses = 0;     // classes whose low 8 bits are other than 0 and 1
  std::int64_t roundedClasses = 0;   // other classes read as 0 or 1 (256, -255, 0.6)
  std::int64_t fractionClasses = 0;  // classes that are not whole numbers
  std::int64_t splitRecords = 0;     // records whose class stands on a later line than the score
  bool scoresZeroOrOne = true;       // every score is 0 or 1
  long firstOutside = 0, firstNotNumber = 0, firstEmpty = 0, firstOtherClass = 0, firstRounded = 0,
       firstSplit = 0;
};

// The warnings a user should see about "findings" of file "fileName", one
// line each (none for a clean file).
std::vector<std::string> scoreWarnings(const ScoreFindings& findings);

// The histogram of all records of "text", in one pass; with "scores", every
// record's score is also kept there by its class (1 positive, 0 negative;
// a class field that is not exactly 0 or 1 counts as another class), for
// the exact AUC.
// "findings", when given, receives what the file holds that the results may
// not survive; "skipHeader" leaves out the first line.
ScoreHistogram readScores(std::string_view text, const std::string& fileName,
                          ClassScores* scores = nullptr, ScoreFindings* findings = nullptr,
                          bool skipHeader = false);

// The records of two score files of the same cases in the same order, by
// class, kept where both scores are numbers and the class reads exactly 0 or 1.  Throws
// ToolError naming the first record whose classes differ, or the file that
// ends first.  A file's first line is left out when its flag says so.
std::pair<ClassScores, ClassScores> pairedScores(
    std::string_view first, const std::string& firstName, std::string_view second,
    const std::string& secondName, bool skipFirstHeader = false, bool skipSecondHeader = false);

// The records of two score files by class as pairedScores keeps them, when
// the two hold the same cases (as many records, the same classes in the
// same order); otherwise "mismatch" says where they part, as the error
// pairedScores throws says it, and "scores" is empty.
struct PairedRecords {
  std::pair<ClassScores, ClassScores> scores;
  std::string mismatch;  // empty when the files hold the same cases
};
PairedRecords sameCaseScores(std::string_view first, const std::string& firstName,
                             std::string_view second, const std::string& secondName,
                             bool skipFirstHeader = false, bool skipSecondHeader = false);

// The records of two score files of different cases, each by class as
// readScores keeps them.  A file's first line is left out when its flag
// says so.
std::pair<ClassScores, ClassScores> unpairedScores(
    std::string_view first, const std::string& firstName, std::string_view second,
    const std::string& secondName, bool skipFirstHeader = false, bool skipSecondHeader = false);

}  // namespace roc

#endif  // ROC_SCORE_FILE_H_
