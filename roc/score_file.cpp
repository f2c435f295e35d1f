#include "roc/score_file.h"

#include <algorithm>
#include <cmath>

#include "common/errors.h"

namespace roc {

ScoreHistogram readScores(std::string_view text, const std::string& fileName, ClassScores* scores) {
  ScoreHistogram histogram;
  if (scores == nullptr) {
    histogram.setRecords(forEachRecord(
        text, fileName, [&](float score, std::uint8_t c) { histogram.add(score, c); }));
    return histogram;
  }
  // A record takes four characters at least: room for all without regrowth.
  scores->positives.reserve(text.size() / 8);
  scores->negatives.reserve(text.size() / 8);
  histogram.setRecords(forEachRecord(text, fileName, [&](float score, std::uint8_t c) {
    histogram.add(score, c);
    if (std::isnan(score)) {
      ++scores->notNumbers;
    } else if (c == 1) {
      scores->positives.push_back(score);
    } else if (c == 0) {
      scores->negatives.push_back(score);
    } else {
      ++scores->otherClasses;
    }
  }));
  return histogram;
}

std::pair<ClassScores, ClassScores> pairedScores(std::string_view first,
                                                 const std::string& firstName,
                                                 std::string_view second,
                                                 const std::string& secondName) {
  std::vector<std::pair<float, std::uint8_t>> a, b;
  forEachRecord(first, firstName, [&](float s, std::uint8_t c) { a.emplace_back(s, c); });
  forEachRecord(second, secondName, [&](float s, std::uint8_t c) { b.emplace_back(s, c); });
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i].second != b[i].second) {
      throw common::makeError(common::Fault::kTypeMismatch, secondName,
                              "record " + std::to_string(i + 1),
                              "class " + std::to_string(b[i].second) + " where " + firstName +
                                  " has class " + std::to_string(a[i].second));
    }
  }
  if (a.size() != b.size()) {
    const bool firstShorter = a.size() < b.size();
    throw common::makeError(common::Fault::kPastEndOfFile, firstShorter ? firstName : secondName,
                            "record " + std::to_string(std::min(a.size(), b.size()) + 1),
                            "it ends before " + (firstShorter ? secondName : firstName));
  }
  std::pair<ClassScores, ClassScores> scores;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::uint8_t c = a[i].second;
    if (std::isnan(a[i].first) || std::isnan(b[i].first)) {
      ++scores.first.notNumbers;
      ++scores.second.notNumbers;
    } else if (c == 0 || c == 1) {
      (c == 1 ? scores.first.positives : scores.first.negatives).push_back(a[i].first);
      (c == 1 ? scores.second.positives : scores.second.negatives).push_back(b[i].first);
    } else {
      ++scores.first.otherClasses;
      ++scores.second.otherClasses;
    }
  }
  return scores;
}

}  // namespace roc
