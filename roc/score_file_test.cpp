#include "roc/score_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/errors.h"

namespace roc {
namespace {

struct Record {
  float score;  // NaN for an empty field
  int observedClass;
  bool operator==(const Record& o) const {
    return (score == o.score || (std::isnan(score) && std::isnan(o.score))) &&
           observedClass == o.observedClass;
  }
};

constexpr float kEmpty = std::numeric_limits<float>::quiet_NaN();

std::vector<Record> recordsOf(const std::string& text) {
  std::vector<Record> records;
  forEachRecord(text, "scores.txt", [&](float s, std::uint8_t c) { records.push_back({s, c}); });
  return records;
}

TEST(ScoreFile, RecordsAndTheirCount) {
  struct Row {
    const char* text;
    std::vector<Record> expected;
  };
  const Row rows[] = {
      {"0.5,1\n0.25,0\n", {{0.5f, 1}, {0.25f, 0}}},
      {"0.5,1\n0.25,0", {{0.5f, 1}, {0.25f, 0}}},                   // no final line end: the same
      {"0.5,1\n0.25,0\n\n", {{0.5f, 1}, {0.25f, 0}, {kEmpty, 0}}},  // a trailing blank line
      {"0.5 1 0.25\t0\r\n", {{0.5f, 1}, {0.25f, 0}}},
      {"0.5\n1\n", {{0.5f, 1}}},                 // one record over two lines
      {"", {{kEmpty, 0}}},                       // always at least one
      {",1\n0.5,\n", {{kEmpty, 1}, {0.5f, 0}}},  // empty fields: pandas' NaN; a class of 0
      {"0.9,257\n0.1,-1\n0.2,1.5\n0.3,2.5\n0.4,1e0\n",
       {{0.9f, 1}, {0.1f, 255}, {0.2f, 2}, {0.3f, 2}, {0.4f, 1}}},  // low 8 bits; halves to even
      {"1D-1,1\n", {{0.1f, 1}}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(recordsOf(row.text), row.expected) << '"' << row.text << '"';
  }
}

// What a file holds that the results may not survive, as counted and as
// kept for the exact statistics: a class field must read 0 or 1 exactly.
TEST(ScoreFile, FindingsOfPlausibleMistakes) {
  struct Row {
    const char* text;
    std::int64_t empty, notNumbers, otherClasses, rounded, fractions;
    bool scoresZeroOrOne;
    std::size_t positives, negatives;
  };
  const Row rows[] = {
      {"0.9,1\n0.2,0\n1,1\n", 0, 0, 0, 0, 0, false, 2, 1},
      {"0.9,1\n,1\n,0\nnan,1\n", 2, 1, 0, 0, 0, false, 1, 0},
      {"0.9,256\n0.8,257\n0.7,-255\n0.6,0.6\n0.5,1.0\n0.4,2\n", 0, 0, 1, 4, 1, false, 1, 0},
      {"1,0.9\n0,0.2\n1,0.7\n", 0, 0, 0, 3, 3, true, 0, 0},  // class, score
  };
  for (const Row& row : rows) {
    ClassScores scores;
    ScoreFindings f;
    readScores(row.text, "s.txt", &scores, &f);
    EXPECT_EQ(f.emptyScores, row.empty) << row.text;
    EXPECT_EQ(f.notNumbers, row.notNumbers) << row.text;
    EXPECT_EQ(f.otherClasses, row.otherClasses) << row.text;
    EXPECT_EQ(f.roundedClasses, row.rounded) << row.text;
    EXPECT_EQ(f.fractionClasses, row.fractions) << row.text;
    EXPECT_EQ(f.scoresZeroOrOne, row.scoresZeroOrOne) << row.text;
    EXPECT_EQ(scores.positives.size(), row.positives) << row.text;
    EXPECT_EQ(scores.negatives.size(), row.negatives) << row.text;
    EXPECT_EQ(scores.notNumbers, row.empty + row.notNumbers) << row.text;
  }
}

TEST(ScoreFile, FirstLineAndByteOrderMark) {
  EXPECT_TRUE(firstLineIsNumbers("0.5,1\nscore,class\n"));
  EXPECT_TRUE(firstLineIsNumbers("0.5 1\r\n"));
  EXPECT_FALSE(firstLineIsNumbers("score,class\n0.5,1\n"));
  EXPECT_FALSE(firstLineIsNumbers("\n0.5,1\n"));
  EXPECT_EQ(withoutByteOrderMark("\xEF\xBB\xBF"
                                 "0.5,1\n"),
            "0.5,1\n");
  EXPECT_EQ(withoutByteOrderMark("0.5,1\n"), "0.5,1\n");
}

TEST(ScoreFile, HistogramCountsEveryRecord) {
  ScoreHistogram h = readScores("0.9,1\n0.8,1\n0.1,0\n\n", "s.txt");
  EXPECT_EQ(h.records(), 4);
  EXPECT_EQ(h.countsAt(50), (Confusion{2, 0, 0, 2}));
}

// The first error of the file read, or of the pair compared when "second"
// is given; the first file's error wins when both are bad, however long the
// second takes.
TEST(ScoreFile, ErrorsNameFileAndPlace) {
  std::string longGood;
  for (int i = 0; i < 200000; ++i) longGood += "0.5,1\n";
  struct Row {
    std::string first;
    const std::string* second;
    const char* expected;
  };
  const std::string bad = "0.5,1\n0.7,yes\n", good = "0.5,1\n0.7,1\n", other = "0.5,1\n0.7,0\n";
  const std::string shorter = "0.5,1\n", badToo = "no,1\n";
  const Row rows[] = {
      {bad, nullptr, "a.txt: line 2: type mismatch: expected a number, got \"yes\""},
      {bad, &longGood, "a.txt: line 2: type mismatch: expected a number, got \"yes\""},
      {good, &bad, "b.txt: line 2: type mismatch: expected a number, got \"yes\""},
      {bad, &badToo, "a.txt: line 2: type mismatch: expected a number, got \"yes\""},
      {good, &other, "b.txt: record 2: type mismatch: class 0 where a.txt has class 1"},
      {shorter, &good, "a.txt: record 2: input past end of file: it ends before b.txt"},
  };
  for (const Row& row : rows) {
    try {
      if (row.second == nullptr) {
        readScores(row.first, "a.txt");
      } else {
        pairedScores(row.first, "a.txt", *row.second, "b.txt");
      }
      ADD_FAILURE() << "no error for " << row.expected;
    } catch (const common::ToolError& e) {
      EXPECT_STREQ(e.what(), row.expected);
    }
  }
}

}  // namespace
}  // namespace roc
