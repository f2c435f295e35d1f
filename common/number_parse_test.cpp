#include "common/number_parse.h"

#include <gtest/gtest.h>

#include <cstring>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "common/errors.h"
#include "common/rounding.h"

namespace common {
namespace {

TEST(NumberParse, AcceptsTheDecimalForms) {
  struct Row {
    const char* text;
    double expected;
  };
  const Row rows[] = {
      {"0", 0},
      {"12", 12},
      {"-3.5", -3.5},
      {"+2", 2},
      {".5", 0.5},
      {"5.", 5},
      {"1e3", 1000},
      {"1E3", 1000},
      {"1d3", 1000},
      {"1D-2", 0.01},
      {"2.5e+1", 25},
      {"0.1", 0.1},
      {"1e400", INFINITY},
      {"-1e400", -INFINITY},
      {"1e-400", 0},
      {"123456789012345678901234", 123456789012345678901234.0},
      {"0.00000000000000000000000000001", 1e-29},
      {"inf", INFINITY},
      {"-Infinity", -INFINITY},
  };
  for (const Row& row : rows) {
    double value = -999;
    ASSERT_TRUE(parseDecimal(row.text, value)) << row.text;
    EXPECT_EQ(value, row.expected) << row.text;
  }
  double value = 0;
  ASSERT_TRUE(parseDecimal("NaN", value));
  EXPECT_TRUE(std::isnan(value));
}

TEST(NumberParse, RejectsWhatIsNotANumber) {
  const char* rows[] = {"", "abc", ".", "-", "1e", "1e+", "1.2.3", "1,5", "0x10", "1 2", "12a"};
  for (const char* text : rows) {
    double value = 42;
    EXPECT_FALSE(parseDecimal(text, value)) << text;
    EXPECT_EQ(value, 42) << text;
  }
}

// The fast path must round exactly as the C library does, digit for digit.
TEST(NumberParse, MatchesStrtodOnRandomNumbers) {
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<int> digitCount(1, 22);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-40, 40);
  long fastTaken = 0;
  for (int trial = 0; trial < 2000000; ++trial) {
    std::string text;
    if (trial % 3 == 0) text += '-';
    int before = digitCount(random) % 12;
    int after = digitCount(random) % 12;
    for (int i = 0; i < before; ++i) text += static_cast<char>('0' + digit(random));
    if (before == 0 || trial % 2 == 0) {
      text += '.';
      for (int i = 0; i < after; ++i) text += static_cast<char>('0' + digit(random));
    }
    if (before == 0 && after == 0) text += '7';
    if (trial % 4 == 0) text += "e" + std::to_string(exponent(random));
    double value = 0;
    ASSERT_TRUE(parseDecimal(text, value)) << text;
    const double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(value, expected) << text;
    // The fast path, where it takes the text, gives the same bits (the sign
    // of zero included).
    const char* stop = nullptr;
    double fast = 0;
    if (parseShortDecimal(text.data(), text.data() + text.size(), stop, fast) &&
        stop == text.data() + text.size()) {
      ++fastTaken;
      ASSERT_EQ(std::signbit(fast), std::signbit(expected)) << text;
      ASSERT_EQ(fast, expected) << text;
    }
  }
  EXPECT_GT(fastTaken, 500000);  // the fast path was put to the test
  // Its edges: 2^53 and beyond, nineteen digits, nines, negative zero.
  for (const char* text : {"9007199254740992", "9007199254740993", "0.9007199254740993",
                           "9999999999999999999", "0.9999999999999999999", "-0.0", "-0",
                           "0.0000000000000000000001", "1234567890123456789", "99999999.99"}) {
    const char* stop = nullptr;
    double fast = 0;
    if (parseShortDecimal(text, text + std::strlen(text), stop, fast)) {
      const double expected = std::strtod(text, nullptr);
      EXPECT_EQ(fast, expected) << text;
      EXPECT_EQ(std::signbit(fast), std::signbit(expected)) << text;
    }
  }
}

TEST(Rounding, CIntHalvesToEvenAndIntFloors) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(-3.5), -4);
  EXPECT_EQ(CInt(2.4999), 2);
  EXPECT_EQ(CInt(-0.6), -1);
  EXPECT_EQ(Int(2.5), 2);
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Int(-3), -3);
}

TEST(Rounding, ValReadsTheLeadingNumber) {
  EXPECT_EQ(Val("12"), 12);
  EXPECT_EQ(Val("  -3.25xyz"), -3.25);
  EXPECT_EQ(Val("1e"), 1);
  EXPECT_EQ(Val("2D2"), 200);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val("."), 0);
}

TEST(Rounding, CheckedNarrowingReportsOverflow) {
  EXPECT_EQ(toInteger(32767.4, "n"), 32767);
  EXPECT_EQ(toInteger(-32768, "n"), -32768);
  EXPECT_EQ(toLong(2.5, "n"), 2);
  const double bad[] = {32767.5, -32769, NAN, INFINITY};
  for (double x : bad) {
    try {
      toInteger(x, "nRows");
      ADD_FAILURE() << x << " should overflow";
    } catch (const ToolError& e) {
      EXPECT_EQ(e.fault(), Fault::kOverflow);
      EXPECT_STREQ(e.what(), "nRows: overflow");
    }
  }
  EXPECT_THROW(toLong(3e9, "n"), ToolError);
}

}  // namespace
}  // namespace common
