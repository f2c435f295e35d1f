#include "roc/multiclass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "common/errors.h"

namespace roc {
namespace {

// A(i|j) from the definition: every pair of a class-i and a class-j record.
double bruteAbove(const MulticlassRecords& r, int i, int j) {
  double sum = 0, pairs = 0;
  for (std::size_t a = 0; a < r.size(); ++a) {
    for (std::size_t b = 0; b < r.size(); ++b) {
      if (r.labels[a] != i || r.labels[b] != j) continue;
      const double x = r.score(a, i), y = r.score(b, i);
      sum += x > y ? 1 : x == y ? 0.5 : 0;
      ++pairs;
    }
  }
  return pairs > 0 ? sum / pairs : std::nan("");
}

// Class c against all others in column c, from every pair.
double bruteOneVsRest(const MulticlassRecords& r, int c) {
  double sum = 0, pairs = 0;
  for (std::size_t a = 0; a < r.size(); ++a) {
    for (std::size_t b = 0; b < r.size(); ++b) {
      if (r.labels[a] != c || r.labels[b] == c) continue;
      const double x = r.score(a, c), y = r.score(b, c);
      sum += x > y ? 1 : x == y ? 0.5 : 0;
      ++pairs;
    }
  }
  return sum / pairs;
}

// Random files of 2 to 6 classes, scores on a coarse grid so that ties are
// common, against the pair-by-pair definitions; and a hand-worked file.
TEST(Multiclass, EveryAucIsTheCountOfPairs) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 60; ++trial) {
    const int k = 2 + trial % 5;
    std::string text;
    for (int n = 0; n < 40 + trial; ++n) {
      text += std::to_string(static_cast<int>(random() % k));
      for (int c = 0; c < k; ++c) text += "," + std::to_string(random() % 7) + ".5";
      text += "\n";
    }
    const MulticlassRecords r = readMulticlass(text, "m.txt", false);
    const MulticlassAuc a = multiclassAuc(r);
    double m = 0, macro = 0, weighted = 0;
    for (int i = 0; i < k; ++i) {
      for (int j = 0; j < k; ++j) {
        if (i != j) {
          ASSERT_NEAR(a.above[i][j], bruteAbove(r, i, j), 1e-12) << i << " " << j;
        }
        if (i < j) m += (bruteAbove(r, i, j) + bruteAbove(r, j, i)) / 2;
      }
      ASSERT_NEAR(a.oneVsRest[i], bruteOneVsRest(r, i), 1e-12) << i;
      macro += bruteOneVsRest(r, i) / k;
      weighted += bruteOneVsRest(r, i) * r.counts[i] / static_cast<double>(r.size());
    }
    ASSERT_NEAR(a.handTillM, m / (k * (k - 1) / 2), 1e-12);
    ASSERT_NEAR(a.oneVsRestMacro, macro, 1e-12);
    ASSERT_NEAR(a.oneVsRestWeighted, weighted, 1e-12);
  }
  // Worked by hand: in column 0, class 0 holds 0.9 and 0.6, class 1 0.3 and
  // class 2 0.6 and 0.2: A(0|1) = 1, A(0|2) = (1 + 1 + 0.5 + 1) / 4, and
  // class 0 against the rest (1 + 1 + 1 + 1 + 0.5 + 1) / 6.
  const MulticlassRecords r = readMulticlass(
      "class,p0,p1,p2\n0,0.9,0.05,0.05\n0 0.6 0.2 0.2\n1,0.3,0.6,0.1\n2,0.6,0.1,0.3\n"
      "2,0.2,0.3,0.5\n",
      "m.txt", true);
  const MulticlassAuc a = multiclassAuc(r);
  EXPECT_EQ(a.above[0][1], 1);
  EXPECT_EQ(a.above[0][2], 0.875);
  EXPECT_EQ(a.oneVsRest[0], 5.5 / 6);
  EXPECT_EQ(multiclassReport(r, a).substr(0, 44),
            "records\t5\nclasses\t3\nrecords_0\t2\nrecords_1\t1\n");
}

TEST(Multiclass, AClassWithoutRecordsIsNan) {
  const MulticlassRecords r =
      readMulticlass("0,0.9,0.1,0\n0,0.2,0.8,0\n1,0.4,0.6,0\n", "m.txt", false);
  const MulticlassAuc a = multiclassAuc(r);
  EXPECT_EQ(a.above[0][1], 0.5);
  EXPECT_TRUE(std::isnan(a.handTillM));
  EXPECT_TRUE(std::isnan(a.oneVsRest[2]));
  EXPECT_NE(multiclassReport(r, a).find("hand_till_m\tnan\n"), std::string::npos);
}

TEST(Multiclass, BadFilesNameTheLine) {
  std::string wide = "0";
  for (int column = 0; column < 1001; ++column) wide += ",0.5";
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"0,0.5\n",
       "m.txt: line 1: type mismatch: a record is a class and at least two scores, one "
       "for each class; this line holds 2 fields"},
      {"0,0.5,0.5\n1,0.5\n",
       "m.txt: line 2: type mismatch: 2 fields where the first record has 3 "
       "(a class and 2 scores)"},
      {"0,0.5,0.5\n2,0.5,0.5\n",
       "m.txt: line 2: type mismatch: the class \"2\" is not a whole "
       "number from 0 to 1 (one class for each score column)"},
      {"0,0.5,0.5\n1,x,0.5\n",
       "m.txt: line 2: type mismatch: field 2: expected a number, got \"x\""},
      {"0,0.5,,\n", "m.txt: line 1: type mismatch: field 3: expected a number, got \"\""},
      {"0.5,0.5,0.5\n",
       "m.txt: line 1: type mismatch: the class \"0.5\" is not a whole number "
       "from 0 to 1 (one class for each score column)"},
      {"1,nan,0.5\n", "m.txt: line 1: type mismatch: field 2: expected a number, got \"nan\""},
      {"\n\n", "m.txt: input past end of file: no record"},
      {wide,
       "m.txt: line 1: type mismatch: 1001 score columns, more classes than the 1000 this "
       "analysis takes"},
  };
  for (const auto& c : cases) {
    try {
      readMulticlass(c.text, "m.txt", false);
      ADD_FAILURE() << c.text;
    } catch (const common::ToolError& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
  }
}

}  // namespace
}  // namespace roc
