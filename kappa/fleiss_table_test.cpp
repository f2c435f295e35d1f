#include "kappa/fleiss_table.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "test_support/scratch_dir.h"

namespace kappa {
namespace {

// Labels become counts over the sorted categories (numbers by value, so 2
// before 10); blanks, tabs and commas separate, blank lines are left out.
TEST(FleissTable, LabelsAndCounts) {
  const support::ScratchDir scratch("fleiss_table");
  const FleissTable words =
      readFleissLabels(scratch.file("f.txt", "r1 r2 r3\r\nb a b\r\n\r\n c , a,b\r\n"), true);
  EXPECT_EQ(words.categories, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(words.subjects, 2u);
  EXPECT_EQ(words.raters, 3);
  EXPECT_EQ(words.counts, (std::vector<std::int64_t>{1, 2, 0, 1, 1, 1}));
  const FleissTable numbers = readFleissLabels(scratch.file("f.txt", "10\t2\n2.0\t1\n"), false);
  EXPECT_EQ(numbers.categories, (std::vector<std::string>{"1", "2", "10"}));
  EXPECT_EQ(numbers.counts, (std::vector<std::int64_t>{0, 1, 1, 1, 1, 0}));
  const FleissTable counts = readFleissCounts(scratch.file("c.txt", "yes,no\n3,1\n0,4\n"), true);
  EXPECT_EQ(counts.categories, (std::vector<std::string>{"yes", "no"}));
  EXPECT_EQ(counts.raters, 4);
  EXPECT_EQ(counts.counts, (std::vector<std::int64_t>{3, 1, 0, 4}));
  EXPECT_EQ(readFleissCounts(scratch.file("c.txt", "3 1\n"), false).categories,
            (std::vector<std::string>{"1", "2"}));
}

TEST(FleissTable, RefusedTables) {
  const support::ScratchDir scratch("fleiss_table_bad");
  struct Case {
    const char* text;
    bool counts, header;
    const char* error;  // after "FILE: "
  } cases[] = {
      {"a b c\na b\n", false, false,
       "line 2: type mismatch: subject 2 has 2 ratings where subject 1 has 3: every subject must "
       "be rated by the same number of raters"},
      {"3 1\n2 1\n", true, false,
       "line 2: type mismatch: subject 2 was rated by 3 raters where subject 1 was by 4: every "
       "subject must be rated by the same number of raters"},
      {"3 1\n\n2 1 1\n", true, false,
       "line 3: type mismatch: subject 2 has 3 counts where subject 1 has 2: a count a category"},
      {"3 1.5\n", true, false,
       "line 1: type mismatch: expected a count of raters (a whole number, 0 or more) in column "
       "2, got \"1.5\""},
      {"3 -1\n", true, false,
       "line 1: type mismatch: expected a count of raters (a whole number, 0 or more) in column "
       "2, got \"-1\""},
      {"9007199254740992 1\n", true, false,
       "line 1: type mismatch: subject 1 has more than 9007199254740992 (2^53) raters"},
      {"x y z\n3 1\n", true, true,
       "type mismatch: the header names 3 categories where the subjects have 2 counts"},
      {"a,,b\n", false, false, "line 1: type mismatch: an empty label in field 2"},
      {"raters\n\n", false, true, "type mismatch: no subjects: the file holds no ratings"},
      {"a\nb\n", false, false,
       "line 1: type mismatch: subject 1 has 1 rater: agreement between raters takes two "
       "ratings of each subject at least"},
      {"1 0\n0 1\n", true, false,
       "line 1: type mismatch: subject 1 has 1 rater: agreement between raters takes two "
       "ratings of each subject at least"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string name = scratch.file("f.txt", c.text);
    try {
      if (c.counts) {
        readFleissCounts(name, c.header);
      } else {
        readFleissLabels(name, c.header);
      }
      ADD_FAILURE() << "no error";
    } catch (const common::ToolError& error) {
      EXPECT_EQ(error.what(), name + ": " + c.error);
    }
  }
}

}  // namespace
}  // namespace kappa
