#include "common/number_forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "common/number_parse.h"

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

// The console single is found in integers (seven digits of the exact value,
// laid out by hand); it must be the general "%.7g" for random bit patterns
// of every exponent, subnormals, negative zero, the neighbours of powers of
// ten and of halfway cases, and the singles of short decimals at every digit
// count and point position.
TEST(NumberForms, FastSingleFormEqualsTheGeneralForm) {
  std::vector<float> singles = {0.0f,    -0.0f,          1e-45f,      -1e-45f,    1.1754942e-38f,
                                1e-10f,  9.999999e6f,    1e7f,        0.5f,       1.5f,
                                2.5f,    9.9999995f,     0.99999997f, 9999999.5f, 0.00099999995f,
                                0.0001f, 0.000099999997f};
  for (float p = 1e-12f; p < 1e9f; p *= 10) {
    float below = p, above = p;
    for (int i = 0; i < 40; ++i) {
      singles.push_back(below = std::nextafter(below, 0.0f));
      singles.push_back(above = std::nextafter(above, 1e30f));
    }
  }
  std::mt19937 bits(9);
  for (int i = 0; i < 3000000; ++i) {
    const std::uint32_t b = bits();
    float f;
    std::memcpy(&f, &b, sizeof f);
    singles.push_back(f);
  }
  std::mt19937_64 random(5);
  for (long i = 0; i < 2000000; ++i) {
    const std::uint64_t r = random();
    std::uint64_t limit = 10;  // 1 to 9 digits, the point anywhere up to 12 places
    for (int d = 0; d < static_cast<int>(r % 9); ++d) limit *= 10;
    const std::string text =
        std::to_string(1 + (r >> 8) % (limit - 1)) + "e-" + std::to_string((r >> 3) % 13);
    float f = 0;
    ASSERT_TRUE(parseDecimal(text, f)) << text;
    singles.push_back(f);
  }
  for (const float f : singles) {
    for (const float s : {f, -f}) {
      std::string fast;
      appendConsoleSingle(fast, s);
      ASSERT_EQ(fast, consoleSingle(s)) << s;
    }
  }
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
