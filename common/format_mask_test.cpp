#include "common/format_mask.h"

#include <gtest/gtest.h>

#include <limits>

namespace common {
namespace {

TEST(FormatMask, LaysOutNumbers) {
  struct Row {
    double value;
    const char* mask;
    const char* expected;
  };
  const Row rows[] = {
      {0.5, "0.000", "0.500"},
      {-0.25, "0.000", "-0.250"},
      {0, "0.000", "0.000"},
      {1, "0.000", "1.000"},
      {0.70710678, "0.000", "0.707"},
      {0.12345, "0.000", "0.123"},
      {0.9996, "0.000", "1.000"},
      {-9000000000.0, "0.000", "-9000000000.000"},
      {42, "000000", "000042"},
      {0, "000000", "000000"},
      {1234567, "000000", "1234567"},
      {42, "000000 ", "000042 "},
      {7, "#00", "07"},
      {123, "#00", "123"},
      {3, "I\\nput \\#00  ", "Input #03  "},
      {0.05, " ###.0%  ", " 5.0%  "},
      {0.005, " ###.0%  ", " .5%  "},
      {0.1234, "#####.00%  ", "12.34%  "},
      {-0.031, "#####.00%  ", "-3.10%  "},
      {0, "#####", ""},
      {17, "#####", "17"},
      {0.25, "##0.0%", "25.0%"},
      {0.1, "##0%", "10%"},
      {0, "####0%", "0%"},
      {0.1234567891, "0.#######", "0.1234568"},
      {0.5, "0.#######", "0.5"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(formatMask(row.value, row.mask), row.expected)
        << row.value << " in \"" << row.mask << '"';
  }
}

TEST(FormatMask, SpellsSpecialValues) {
  EXPECT_EQ(formatMask(std::numeric_limits<double>::quiet_NaN(), "0.000"), "nan");
  EXPECT_EQ(formatMask(std::numeric_limits<double>::infinity(), "0.000"), "inf");
  EXPECT_EQ(formatMask(-std::numeric_limits<double>::infinity(), "000000 "), "-inf ");
}

}  // namespace
}  // namespace common
