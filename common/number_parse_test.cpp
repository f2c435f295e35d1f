#include "common/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "common/errors.h"
#include "common/rounding.h"

namespace common {
namespace {

TEST(NumberParse, AcceptsTheDecimalForms) {
  struct Row {
    std::string text;
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
      {"1e99999999999999999999", INFINITY},
      {"0." + std::string(100000, '0') + "1e1000000", INFINITY},
      {"1" + std::string(100000, '0') + "e-100000", 1},
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
  const char* rows[] = {"",     "abc", ".",   "-",   "1e",  "1e+", "1.2.3", "1,5",
                        "0x10", "1 2", "12a", "+-5", "--5", "1d",  "infx",  "nan1"};
  for (const char* text : rows) {
    double value = 42;
    EXPECT_FALSE(parseDecimal(text, value)) << text;
    EXPECT_EQ(value, 42) << text;
  }
}

// Doubles and singles must round exactly as the C library does (strtod,
// strtof), digit for digit and with the sign of zero, and singleOf must find
// the single from the double: random texts, every decade's edges, and the
// decimals on, just above and just below the halfway points between singles,
// where rounding to a double first would miss.
TEST(NumberParse, MatchesTheCLibraryInBothPrecisions) {
  auto check = [](const std::string& text) {
    double value = 0;
    float single = 0;
    if (!parseDecimal(text, value) || !parseDecimal(text, single)) {
      return ::testing::AssertionFailure() << text << " does not parse";
    }
    const double expected = std::strtod(text.c_str(), nullptr);
    const float expectedSingle = std::strtof(text.c_str(), nullptr);
    if (value != expected || std::signbit(value) != std::signbit(expected)) {
      return ::testing::AssertionFailure() << text << " reads as double " << value;
    }
    const float fromDouble = singleOf(text, value);
    for (const float s : {single, fromDouble}) {
      if (s != expectedSingle || std::signbit(s) != std::signbit(expectedSingle)) {
        return ::testing::AssertionFailure() << text << " reads as single " << s;
      }
    }
    return ::testing::AssertionSuccess();
  };
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<int> digitCount(1, 22);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-50, 50);
  for (int trial = 0; trial < 1000000; ++trial) {
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
    ASSERT_TRUE(check(text));
  }
  std::vector<std::string> edges = {"9007199254740993",
                                    "0.9007199254740993",
                                    "-0.0",
                                    "-0",
                                    "9999999999999999999",
                                    "1234567890123456789",
                                    "8.47167444229126",
                                    "3.4028235677973366e38",
                                    "3.4028235677973367e38",
                                    "1e-46",
                                    "7.006492321624085e-46",
                                    "1.1754942e-38",
                                    "2.2250738585072011e-308"};
  char text[128];
  for (int e = -45; e <= 38; ++e) {
    for (const char* form : {"1e%d", "9.999999999e%d", "0.99999997e%d", "1.00000005e%d"}) {
      std::snprintf(text, sizeof text, form, e);
      edges.push_back(text);
    }
  }
  // Halfway between two singles: exact as a double, and its exact decimal.
  std::uniform_int_distribution<std::uint32_t> bits(0x00800000u, 0x7F7FFFFFu);
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t b = bits(random);
    float low;
    std::memcpy(&low, &b, sizeof low);
    const double halfway =
        (static_cast<double>(low) + static_cast<double>(std::nextafter(low, INFINITY))) / 2;
    std::snprintf(text, sizeof text, "%.60e", halfway);
    std::string exact = text;
    const std::size_t e = exact.find('e');
    edges.push_back(exact);
    edges.push_back(exact.substr(0, e) + "0000000000000001" + exact.substr(e));
    // Just below: the last nonzero digit of the mantissa one lower, nines after.
    std::string below = exact.substr(0, e);
    while (below.back() == '0') below.pop_back();
    below.back() = static_cast<char>(below.back() - 1);
    edges.push_back(below + "9999999999999999" + exact.substr(e));
  }
  for (const std::string& edge : edges) ASSERT_TRUE(check(edge));
}

TEST(Rounding, RoundHalfEvenTakesTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(-3.5), -4);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundHalfEven(-0.6), -1);
}

TEST(Rounding, LeadingNumberReadsTheNumberAtTheStart) {
  EXPECT_EQ(leadingNumber("12"), 12);
  EXPECT_EQ(leadingNumber("  -3.25xyz"), -3.25);
  EXPECT_EQ(leadingNumber("1e"), 1);
  EXPECT_EQ(leadingNumber("2D2"), 200);
  EXPECT_EQ(leadingNumber(""), 0);
  EXPECT_EQ(leadingNumber("abc"), 0);
  EXPECT_EQ(leadingNumber("."), 0);
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
