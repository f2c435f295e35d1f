#include "colfold/counts.h"

#include <gtest/gtest.h>

namespace colfold {
namespace {

// The header's counts against the numbers converted: a count that is not a
// whole number is named for each field (the product is then left alone);
// whole counts whose (inputs + outputs) x patterns differs from the table
// draw one warning on the input.
TEST(CountWarnings, NameWhatTheHeaderWillNotDescribe) {
  const std::string notWhole =
      "\" is not a whole number: it stands in the header as typed, and the programs that read "
      "the file will stop on it";
  struct Row {
    const char* inputs;
    const char* outputs;
    const char* patterns;
    std::int64_t converted;
    std::vector<std::pair<std::string, std::string>> expected;  // file, text
  } rows[] = {
      {"4", "1", "150", 750, {}},
      {" 4 ", "1 ", "150", 750, {}},  // blanks around a count, as the readers allow
      {"4",
       "1",
       "150",
       749,
       {{"in.txt",
         "the table holds 749 numbers where (4 + 1) x 150 = 750 were announced: the header "
         "will not match the numbers below it"}}},
      {"0",
       "0",
       "0",
       3,
       {{"in.txt",
         "the table holds 3 numbers where (0 + 0) x 0 = 0 were announced: the header will not "
         "match the numbers below it"}}},
      {"4.5",
       "1",
       "x",
       750,
       {{"out.pat", "the count of inputs \"4.5" + notWhole},
        {"out.pat", "the count of patterns \"x" + notWhole}}},
      {"",
       "1e2",
       "150",
       0,
       {{"out.pat", "the count of inputs \"" + notWhole},
        {"out.pat", "the count of outputs \"1e2" + notWhole}}},
  };
  for (const Row& r : rows) {
    const Fields fields{"in.txt", "out.pat", r.inputs, r.outputs, r.patterns};
    std::vector<std::pair<std::string, std::string>> got;
    for (const CountWarning& w : countWarnings(fields, r.converted))
      got.emplace_back(w.file, w.text);
    EXPECT_EQ(got, r.expected) << r.inputs << " " << r.outputs << " " << r.patterns;
  }
}

TEST(CountWarnings, WholeCountTakesOnlyWholeNumbers) {
  EXPECT_EQ(wholeCount(" 12 "), 12);
  EXPECT_EQ(wholeCount("-3"), -3);
  EXPECT_EQ(wholeCount("99999999999999999999"), std::nullopt);  // past long long
  EXPECT_EQ(wholeCount("12a"), std::nullopt);
  EXPECT_EQ(wholeCount("+12"), std::nullopt);
  EXPECT_EQ(wholeCount(""), std::nullopt);
}

}  // namespace
}  // namespace colfold
