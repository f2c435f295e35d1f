#include "kappa/ratings_table.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "test_support/scratch_dir.h"

namespace kappa {
namespace {

TEST(RatingsTable, MatrixOverTheSortedLabels) {
  const support::ScratchDir scratch("ratings_table");
  const RatingsTable words =
      readRatings(scratch.file("r.txt", "A,B\ncat,dog\ndog , dog\ncat cat\nbird\tcat\n"), true);
  EXPECT_EQ(matrixText(words),
            "A\\B\tbird\tcat\tdog\n"
            "bird\t0\t1\t0\n"
            "cat\t0\t1\t1\n"
            "dog\t0\t0\t1\n");
  EXPECT_EQ(words.firstWord, "cat");
  EXPECT_EQ(words.firstWordLine, 2);
  // Numbers by value: 10 after 3, 1.0 the label 1 first met as "1".
  const RatingsTable numbers = readRatings(scratch.file("r.txt", "1 2\n2 2\n3 1.0\n10 3\n"), false);
  EXPECT_EQ(numbers.labels, (std::vector<std::string>{"1", "2", "3", "10"}));
  EXPECT_EQ(numbers.matrix,
            (std::vector<std::int64_t>{0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0}));
  EXPECT_EQ(numbers.firstWordLine, 0);
  // A byte-order mark is no part of the first label.
  EXPECT_EQ(readRatings(scratch.file("r.txt",
                                     "\xEF\xBB\xBF"
                                     "1,1\n2,2\n"),
                        false)
                .matrix,
            (std::vector<std::int64_t>{1, 0, 0, 1}));
}

TEST(RatingsTable, RefusedFiles) {
  const support::ScratchDir scratch("ratings_table_bad");
  struct Case {
    const char* text;
    const char* error;  // after "FILE: "
  } cases[] = {
      {"a b\na b c\n", "line 2: type mismatch: expected two labels (rater A, then rater B), got 3"},
      {"a b\n\nc\n", "line 3: type mismatch: expected two labels (rater A, then rater B), got 1"},
      {"\n \n", "type mismatch: no cases: the file holds no ratings"},
  };
  // Scores given for labels: more categories than a matrix takes.
  std::string scores;
  for (int i = 0; i <= 10000; ++i) scores += std::to_string(i) + " 0\n";
  const std::string many = scratch.file("many.txt", scores);
  try {
    readRatings(many, false);
    ADD_FAILURE() << "no error for 10001 labels";
  } catch (const common::ToolError& error) {
    EXPECT_EQ(error.what(), many +
                                ": too large: 10001 distinct labels, a matrix of more than the "
                                "10000 categories kappatest takes (are these scores, not "
                                "labels?)");
  }
  for (const Case& c : cases) {
    const std::string name = scratch.file("r.txt", c.text);
    try {
      readRatings(name, false);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const common::ToolError& error) {
      EXPECT_EQ(error.what(), name + ": " + c.error);
    }
  }
}

}  // namespace
}  // namespace kappa
