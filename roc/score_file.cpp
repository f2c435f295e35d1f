#include "roc/score_file.h"

#include <algorithm>
#include <cmath>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "roc/side_by_side.h"

namespace roc {

ScoreHistogram readScores(std::string_view text, const std::string& fileName, ClassScores* scores,
                          ScoreFindings* findings, bool skipHeader) {
  ScoreHistogram histogram;
  ScoreFindings unused;
  ScoreFindings& f = findings ? *findings : unused;
  auto note = [](std::int64_t& count, long& first, long line) {
    if (count++ == 0) first = line;
  };
  auto check = [&](float score, std::uint8_t c, long scoreLine, long classLine) {
    if (score < 0 || score > 1) note(f.outsideZeroOne, f.firstOutside, scoreLine);
    if (std::isnan(score)) note(f.notNumbers, f.firstNotNumber, scoreLine);
    if (c > 1) note(f.otherClasses, f.firstOtherClass, classLine);
    if (classLine != scoreLine) note(f.splitRecords, f.firstSplit, scoreLine);
  };
  if (scores != nullptr) {
    // A record takes four characters at least: room for all without regrowth.
    for (std::vector<float>* v : {&scores->positives, &scores->negatives}) {
      v->reserve(text.size() / 8);
      common::preferLargePages(v->data(), v->capacity() * sizeof(float));
    }
  }
  f.records = forEachRecord(
      text, fileName,
      [&](float score, std::uint8_t c, long scoreLine, long classLine) {
        histogram.add(score, c);
        check(score, c, scoreLine, classLine);
        if (scores == nullptr) return;
        if (std::isnan(score)) {
          ++scores->notNumbers;
        } else if (c == 1) {
          scores->positives.push_back(score);
        } else if (c == 0) {
          scores->negatives.push_back(score);
        } else {
          ++scores->otherClasses;
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
                  "pairs, so a third column, or a blank line (an empty field, read as 0), shifts "
                  "every pairing after it");
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
  std::vector<float> scores;
  std::vector<std::uint8_t> classes;
};

Records allRecords(std::string_view text, const std::string& fileName, bool skipHeader) {
  Records r;
  // A record takes four characters at least: room for all without regrowth.
  r.scores.reserve(text.size() / 4 + 1);
  r.classes.reserve(text.size() / 4 + 1);
  common::preferLargePages(r.scores.data(), r.scores.capacity() * sizeof(float));
  common::preferLargePages(r.classes.data(), r.classes.capacity());
  forEachRecord(
      text, fileName,
      [&](float s, std::uint8_t c) {
        r.scores.push_back(s);
        r.classes.push_back(c);
      },
      skipHeader);
  return r;
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
  const std::size_t common = std::min(a.classes.size(), b.classes.size());
  const auto differ = std::mismatch(a.classes.begin(), a.classes.begin() + common,
                                    b.classes.begin());
  if (differ.first != a.classes.begin() + common) {
    const auto i = static_cast<std::size_t>(differ.first - a.classes.begin());
    throw common::makeError(common::Fault::kTypeMismatch, secondName,
                            "record " + std::to_string(i + 1),
                            "class " + std::to_string(b.classes[i]) + " where " + firstName +
                                " has class " + std::to_string(a.classes[i]));
  }
  if (a.classes.size() != b.classes.size()) {
    const bool firstShorter = a.classes.size() < b.classes.size();
    throw common::makeError(common::Fault::kPastEndOfFile, firstShorter ? firstName : secondName,
                            "record " + std::to_string(common + 1),
                            "it ends before " + (firstShorter ? secondName : firstName));
  }
  std::pair<ClassScores, ClassScores> scores;
  for (ClassScores* s : {&scores.first, &scores.second}) {
    s->positives.reserve(common);
    s->negatives.reserve(common);
    common::preferLargePages(s->positives.data(), common * sizeof(float));
    common::preferLargePages(s->negatives.data(), common * sizeof(float));
  }
  for (std::size_t i = 0; i < common; ++i) {
    const std::uint8_t c = a.classes[i];
    const float x = a.scores[i], y = b.scores[i];
    if (std::isnan(x) || std::isnan(y)) {
      ++scores.first.notNumbers;
      ++scores.second.notNumbers;
    } else if (c == 0 || c == 1) {
      (c == 1 ? scores.first.positives : scores.first.negatives).push_back(x);
      (c == 1 ? scores.second.positives : scores.second.negatives).push_back(y);
    } else {
      ++scores.first.otherClasses;
      ++scores.second.otherClasses;
    }
  }
  return scores;
}

}  // namespace roc
