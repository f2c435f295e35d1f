#include "roc/student_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace roc {
namespace {

// Two-sided tails as R's 2 * pt(-|t|, df) gives them, and the textbook's
// critical values of the 5% test.
TEST(StudentT, TwoSidedTailsEqualRs) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    double t, df, p;
  } rows[] = {
      {2.5, 2.5, 1.0456996307815537e-01}, {40, 7.3, 8.0371351679137310e-10},
      {-0.3, 1, 8.1445284184451539e-01},  {3, 1000, 2.7667090442381899e-03},
      {2.2281388519649385, 10, 0.05},     {12.706204736174705, 1, 0.05},
      {1.959963984540054, inf, 0.05},     {0, 4, 1},
  };
  for (const Row& row : rows) {
    EXPECT_NEAR(studentTwoSidedP(row.t, row.df), row.p, 1e-9 * row.p) << row.t << " " << row.df;
  }
  EXPECT_TRUE(std::isnan(studentTwoSidedP(1, 0)));
  EXPECT_TRUE(std::isnan(studentTwoSidedP(std::nan(""), 3)));
  // R's qt(0.975, df) for the same rows.
  EXPECT_NEAR(studentQuantile(0.95, 10), 2.2281388519649385, 1e-9);
  EXPECT_NEAR(studentQuantile(0.95, 1), 12.706204736174705, 1e-8);
  EXPECT_NEAR(studentQuantile(0.95, inf), 1.959963984540054, 1e-9);
  EXPECT_TRUE(std::isnan(studentQuantile(0.95, 0)));
}

}  // namespace
}  // namespace roc
