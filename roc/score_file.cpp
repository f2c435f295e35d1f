#include "roc/score_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_parse.h"
#include "roc/side_by_side.h"

namespace roc {
namespace {

// The number "token", just taken from "reader"; throws as the reader does
// for one that is not a number, naming its file and line.
double numberOf(std::string_view token, const common::TokenReader& reader) {
  const char* end = token.data() + token.size();
  const char* stop = nullptr;
  double value = 0;
  if (common::parseNumberPrefix(token.data(), end, stop, value) && stop == end) {
    return value;
  }
  if (!common::parseDecimal(token, value)) {
    throw common::makeError(common::Fault::kTypeMismatch, reader.fileName(),
                            "line " + std::to_string(reader.tokenLine()),
                            "expected a number, got " + common::quoteInput(token));
  }
  return value;
}

}  // namespace

ScoreRecord readRecord(common::TokenReader& reader) {
  ScoreRecord r;
  const std::string_view score = reader.next();
  r.scoreLine = reader.tokenLine();
  r.emptyScore = score.empty();
  r.score = r.emptyScore ? std::numeric_limits<double>::quiet_NaN() : numberOf(score, reader);
  r.single = common::singleOf(score, r.score);
  const std::string_view observed = reader.next();
  r.classLine = reader.tokenLine();
  r.emptyClass = observed.empty();
  if (observed.size() == 1 && (observed[0] == '0' || observed[0] == '1')) {
    r.observedClass = static_cast<std::uint8_t>(observed[0] - '0');
  } else if (observed.empty()) {
    r.observedClass = 0;
  } else {
    const double value = numberOf(observed, reader);
    r.classZeroOrOne = value == 0 || value == 1;
    r.classWhole = value == std::floor(value);
    // The reader's own rounding and wrap, digits-only tokens exact at any length.
    common::TokenReader whole(observed, std::string());
    r.observedClass = static_cast<std::uint8_t>(whole.readWholeLowBits());
  }
  return r;
}

std::string_view withoutByteOrderMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

bool firstLineIsNumbers(std::string_view text) {
  common::TokenReader reader(text.substr(0, text.find_first_of("\r\n")), std::string());
  int numbers = 0;
  while (!reader.atEnd()) {
    const std::string_view token = reader.next();
    double value = 0;
    if (token.empty()) continue;
    if (!common::parseDecimal(token, value)) return false;
    ++numbers;
  }
  return numbers > 0;
}

ScoreHistogram readScores(std::string_view text, const std::string& fileName, ClassScores* scores,
                          ScoreFindings* findings, bool skipHeader) {
  ScoreHistogram histogram;
  ScoreFindings unused;
  ScoreFindings& f = findings ? *findings : unused;
  auto note = [](std::int64_t& count, long& first, long line) {
    if (count++ == 0) first = line;
  };
  // The sweep's view of the score decides the range warning.
  auto check = [&](float score, const ScoreRecord& r) {
    if (score < 0 || score > 1) note(f.outsideZeroOne, f.firstOutside, r.scoreLine);
    if (r.emptyScore) {
      note(f.emptyScores, f.firstEmpty, r.scoreLine);
    } else if (std::isnan(score)) {
      note(f.notNumbers, f.firstNotNumber, r.scoreLine);
    }
    if (r.observedClass > 1) {
      note(f.otherClasses, f.firstOtherClass, r.classLine);
    } else if (!r.classZeroOrOne) {
      note(f.roundedClasses, f.firstRounded, r.classLine);
    }
    if (!r.classWhole) ++f.fractionClasses;
    if (!(r.score == 0 || r.score == 1)) f.scoresZeroOrOne = false;
    if (r.classLine != r.scoreLine) note(f.splitRecords, f.firstSplit, r.scoreLine);
  };
  if (scores != nullptr) {
    // A record takes four characters at least: room for all without regrowth.
    for (std::vector<double>* v : {&scores->positives, &scores->negatives}) {
      v->reserve(text.size() / 8);
      common::preferLargePages(v->data(), v->capacity() * sizeof(double));
    }
  }
  f.records = forEachRecord(
      text, fileName,
      [&](const ScoreRecord& r) {
        histogram.add(r.single, r.observedClass);
        if (r.endOfFile) return;
        check(r.single, r);
        if (scores == nullptr) return;
        if (std::isnan(r.score)) {
          ++scores->notNumbers;
        } else if (!r.classZeroOrOne) {
          ++scores->otherClasses;
        } else if (r.observedClass == 1) {
          scores->positives.push_back(r.score);
        } else {
          scores->negatives.push_back(r.score);
        }
      },
      skipHeader);
  histogram.setRecords(f.records);
  return histogram;
}

std::vector<std::string> scoreWarnings(const ScoreFindings& f) {
  const std::string of = " of " + std::to_string(f.records);
  auto first = [](long line) { return " (the first on line " + std::to_string(line) + ")"; };
  std::vector<std::string> out;
  if (f.splitRecords > 0) {
    out.push_back("line " + std::to_string(f.firstSplit) + " holds an odd count of fields (" +
                  std::to_string(f.splitRecords) + of +
                  " records run over two lines): records are read as a stream of score, class "
                  "pairs, so a third column, or a blank line (an empty field), shifts every "
                  "pairing after it");
  }
  if (f.outsideZeroOne > 0) {
    out.push_back(std::to_string(f.outsideZeroOne) + of + " scores lie outside 0..1" +
                  first(f.firstOutside) +
                  ": the sweep covers thresholds 0 to 0.99 only, so the AUC and best point "
                  "describe a clipped curve");
  }
  if (f.otherClasses > 0) {
    out.push_back(std::to_string(f.otherClasses) + of + " records have a class other than 0 and 1" +
                  first(f.firstOtherClass) +
                  ": only class 1 counts as positive and class 0 as negative");
  }
  // A shifted pairing puts scores in the class column: the warning above
  // says why, and classes such as 0.2 follow from it.
  const bool shifted = f.splitRecords > 0;
  if (f.roundedClasses > 0 && !shifted) {
    out.push_back(std::to_string(f.roundedClasses) + of +
                  " records have a class that is not 0 or 1 but reads as one" +
                  first(f.firstRounded) +
                  ": a class is rounded to a whole number and taken modulo 256 (256 as 0, 0.6 "
                  "as 1); the picture counts them so, the exact AUC leaves them out");
  }
  if (f.fractionClasses > 0 && f.scoresZeroOrOne && !shifted) {
    out.push_back("every score is 0 or 1 and " + std::to_string(f.fractionClasses) + of +
                  " classes are fractions: the columns look swapped (class, score); each "
                  "record is read as score, then class");
  }
  if (f.emptyScores > 0) {
    out.push_back(std::to_string(f.emptyScores) + of + " scores are empty fields" +
                  first(f.firstEmpty) +
                  ": read as not a number, so the sweep takes them as below every threshold "
                  "and the exact AUC leaves them out");
  }
  if (f.notNumbers > 0) {
    out.push_back(std::to_string(f.notNumbers) + of + " scores are not numbers" +
                  first(f.firstNotNumber) +
                  ": the sweep takes them as below every threshold; the exact AUC leaves them "
                  "out");
  }
  return out;
}

namespace {

// Every record of one file: scores and classes side by side.
struct Records {
  std::vector<double> scores;
  std::vector<std::uint8_t> classes;
  std::vector<bool> zeroOrOne;  // the class field reads exactly 0 or 1
};

Records allRecords(std::string_view text, const std::string& fileName, bool skipHeader) {
  Records r;
  // A record takes four characters at least: room for all without regrowth.
  r.scores.reserve(text.size() / 4 + 1);
  r.classes.reserve(text.size() / 4 + 1);
  common::preferLargePages(r.scores.data(), r.scores.capacity() * sizeof(double));
  common::preferLargePages(r.classes.data(), r.classes.capacity());
  forEachRecord(
      text, fileName,
      [&](const ScoreRecord& record) {
        if (record.endOfFile) return;
        r.scores.push_back(record.score);
        r.classes.push_back(record.observedClass);
        r.zeroOrOne.push_back(record.classZeroOrOne);
      },
      skipHeader);
  return r;
}

// Where the records of two files part: the first record whose classes
// differ, or the file that ends first; nothing when they hold the same
// cases.
std::optional<common::ToolError> mismatchOf(const Records& a, const std::string& firstName,
                                            const Records& b, const std::string& secondName) {
  const std::size_t common = std::min(a.classes.size(), b.classes.size());
  const auto differ =
      std::mismatch(a.classes.begin(), a.classes.begin() + common, b.classes.begin());
  if (differ.first != a.classes.begin() + common) {
    const auto i = static_cast<std::size_t>(differ.first - a.classes.begin());
    return common::makeError(common::Fault::kTypeMismatch, secondName,
                             "record " + std::to_string(i + 1),
                             "class " + std::to_string(b.classes[i]) + " where " + firstName +
                                 " has class " + std::to_string(a.classes[i]));
  }
  if (a.classes.size() != b.classes.size()) {
    const bool firstShorter = a.classes.size() < b.classes.size();
    return common::makeError(common::Fault::kPastEndOfFile, firstShorter ? firstName : secondName,
                             "record " + std::to_string(common + 1),
                             "it ends before " + (firstShorter ? secondName : firstName));
  }
  return std::nullopt;
}

// The scores of two files of the same cases, by class.
std::pair<ClassScores, ClassScores> scoresOfPair(const Records& a, const Records& b) {
  const std::size_t common = a.classes.size();
  std::pair<ClassScores, ClassScores> scores;
  for (ClassScores* s : {&scores.first, &scores.second}) {
    s->positives.reserve(common);
    s->negatives.reserve(common);
    common::preferLargePages(s->positives.data(), common * sizeof(double));
    common::preferLargePages(s->negatives.data(), common * sizeof(double));
  }
  for (std::size_t i = 0; i < common; ++i) {
    const std::uint8_t c = a.classes[i];
    const double x = a.scores[i], y = b.scores[i];
    if (std::isnan(x) || std::isnan(y)) {
      ++scores.first.notNumbers;
      ++scores.second.notNumbers;
    } else if (a.zeroOrOne[i] && b.zeroOrOne[i]) {
      (c == 1 ? scores.first.positives : scores.first.negatives).push_back(x);
      (c == 1 ? scores.second.positives : scores.second.negatives).push_back(y);
    } else {
      ++scores.first.otherClasses;
      ++scores.second.otherClasses;
    }
  }
  return scores;
}

}  // namespace

std::pair<ClassScores, ClassScores> pairedScores(std::string_view first,
                                                 const std::string& firstName,
                                                 std::string_view second,
                                                 const std::string& secondName,
                                                 bool skipFirstHeader, bool skipSecondHeader) {
  Records a, b;
  sideBySide([&] { a = allRecords(first, firstName, skipFirstHeader); },
             [&] { b = allRecords(second, secondName, skipSecondHeader); });
  if (std::optional<common::ToolError> mismatch = mismatchOf(a, firstName, b, secondName)) {
    throw *mismatch;
  }
  return scoresOfPair(a, b);
}

PairedRecords sameCaseScores(std::string_view first, const std::string& firstName,
                             std::string_view second, const std::string& secondName,
                             bool skipFirstHeader, bool skipSecondHeader) {
  Records a, b;
  sideBySide([&] { a = allRecords(first, firstName, skipFirstHeader); },
             [&] { b = allRecords(second, secondName, skipSecondHeader); });
  PairedRecords out;
  if (std::optional<common::ToolError> mismatch = mismatchOf(a, firstName, b, secondName)) {
    out.mismatch = mismatch->what();
  } else {
    out.scores = scoresOfPair(a, b);
  }
  return out;
}

std::pair<ClassScores, ClassScores> unpairedScores(std::string_view first,
                                                   const std::string& firstName,
                                                   std::string_view second,
                                                   const std::string& secondName,
                                                   bool skipFirstHeader, bool skipSecondHeader) {
  std::pair<ClassScores, ClassScores> scores;
  sideBySide([&] { readScores(first, firstName, &scores.first, nullptr, skipFirstHeader); },
             [&] { readScores(second, secondName, &scores.second, nullptr, skipSecondHeader); });
  return scores;
}

}  // namespace roc
