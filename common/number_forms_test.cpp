#include "common/number_forms.h"

#include <gtest/gtest.h>

#include <limits>

namespace common {
namespace {

TEST(NumberForms, ConsoleDoubleUsesSixteenDigitsAndSignBlank) {
  EXPECT_EQ(consoleDouble(0.4), " 0.4");
  EXPECT_EQ(consoleDouble(-0.4), "-0.4");
  EXPECT_EQ(consoleDouble(1.959963984540054), " 1.959963984540054");
  EXPECT_EQ(consoleDouble(0.1 + 0.2), " 0.3");  // 0.30000000000000004 has 17 digits
  EXPECT_EQ(consoleDouble(2), " 2");
  EXPECT_EQ(consoleDouble(0), " 0");
  EXPECT_EQ(consoleDouble(-0.0), " 0");
  EXPECT_EQ(consoleDouble(1e300), " 1e+300");
  EXPECT_EQ(consoleDouble(-1.5e-7), "-1.5e-07");
  EXPECT_EQ(consoleDouble(std::numeric_limits<double>::quiet_NaN()), " nan");
  EXPECT_EQ(consoleDouble(-std::numeric_limits<double>::quiet_NaN()), " nan");
  EXPECT_EQ(consoleDouble(std::numeric_limits<double>::infinity()), " inf");
  EXPECT_EQ(consoleDouble(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(NumberForms, SingleFormsUseSevenDigits) {
  EXPECT_EQ(consoleSingle(5), " 5");
  EXPECT_EQ(consoleSingle(0.25f), " 0.25");
  EXPECT_EQ(consoleSingle(-1.5f), "-1.5");
  EXPECT_EQ(consoleSingle(1234567.89f), " 1234568");
  EXPECT_EQ(consoleSingle(0.1f), " 0.1");
  EXPECT_EQ(shortSingle(1.0f / 3.0f), "0.3333333");
  EXPECT_EQ(shortSingle(0), "0");
  EXPECT_EQ(shortSingle(0.5f), "0.5");
  EXPECT_EQ(shortSingle(1e-5f), "1e-05");
  EXPECT_EQ(shortSingle(12345678.0f), "1.234568e+07");
  EXPECT_EQ(shortSingle(-0.0f), "0");
}

TEST(NumberForms, FileNumbersHaveASignPositionAndATrailingBlank) {
  EXPECT_EQ(fileNumber(0.5), " 0.5 ");
  EXPECT_EQ(fileNumber(-0.25), "-0.25 ");
  EXPECT_EQ(fileNumber(1.0 / 3), " 0.333333333333333 ");
  EXPECT_EQ(fileNumber(0.123456789012345678), " 0.123456789012346 ");
  EXPECT_EQ(fileNumber(1e-7), " 1e-07 ");
  EXPECT_EQ(fileNumber(123456789012345678.0), " 1.23456789012346e+17 ");
  EXPECT_EQ(fileNumber(0), " 0 ");
}

TEST(NumberForms, ConsoleIntegerHasSignBlank) {
  EXPECT_EQ(consoleInteger(120), " 120");
  EXPECT_EQ(consoleInteger(0), " 0");
  EXPECT_EQ(consoleInteger(-7), "-7");
}

}  // namespace
}  // namespace common
