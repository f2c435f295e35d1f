#include "common/tokens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/errors.h"

namespace common {
namespace {

// Reads every token of "text" as doubles until the end, the way the
// console programs consume a file.
std::vector<double> readAll(const std::string& text) {
  TokenReader reader(text, "in.txt");
  std::vector<double> values;
  do {
    values.push_back(reader.readDouble());
  } while (!reader.atEnd());
  return values;
}

TEST(TokenReader, SeparatesAsTheConsoleProgramsDo) {
  struct Row {
    const char* text;
    std::vector<double> expected;
  };
  const Row rows[] = {
      {"0.5,1", {0.5, 1}},
      {"0.5 1\n", {0.5, 1}},
      {"0.5\t,\t1\r\n", {0.5, 1}},
      {"  0.5   1  \n", {0.5, 1}},
      {"1\r2\r", {1, 2}},
      {"1\n\n2", {1, 0, 2}},  // an empty line is an empty token
      {"1,,2", {1, 0, 2}},    // so are two commas in a row
      {"1,\n2", {1, 0, 2}},   // and a comma at the end of a line
      {"1 , \n2", {1, 0, 2}},
      {"1\r\n\r\n2", {1, 0, 2}},
      {"1   2", {1, 2}},  // blanks alone never make one
      {"1e2 2D1 -.5", {100, 20, -0.5}},
      {"", {0}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(readAll(row.text), row.expected) << '"' << row.text << '"';
  }
}

TEST(TokenReader, ReadsZeroPastTheEnd) {
  TokenReader reader("7", "in.txt");
  EXPECT_EQ(reader.readDouble(), 7);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(reader.readDouble(), 0);
  EXPECT_EQ(reader.readWholeLowBits(), 0u);
}

TEST(TokenReader, WholeNumbersKeepTheirLowBits) {
  struct Row {
    const char* token;
    std::uint64_t expected;
  };
  const Row rows[] = {
      {"1", 1},
      {"-1", ~std::uint64_t{0}},
      {"256", 256},
      {"1.0", 1},
      {"0.5", 0},
      {"1.5", 2},
      {"2.5", 2},
      {"1e0", 1},
      {"-2.5", ~std::uint64_t{0} - 1},
      {"18446744073709551617", 1},     // past 64 bits: the low bits, exactly
      {"1e20", 7766279631452241920u},  // 10^20 mod 2^64
      {"nan", 0},
  };
  for (const Row& row : rows) {
    TokenReader reader(row.token, "in.txt");
    EXPECT_EQ(reader.readWholeLowBits(), row.expected) << row.token;
  }
}

// Rounded once, from the digits: 8.47167444229126 lies just above the
// halfway point between two singles, and its double exactly on it.
TEST(TokenReader, SingleIsTheDecimalRoundedOnce) {
  TokenReader reader("0.1 0.3 16777217 8.47167444229126 2.5D-1", "in.txt");
  EXPECT_EQ(reader.readSingle(), 0.1f);
  EXPECT_EQ(static_cast<double>(reader.readSingle()), static_cast<double>(0.3f));
  EXPECT_EQ(reader.readSingle(), 16777216.0f);
  EXPECT_EQ(reader.readSingle(), std::nextafter(static_cast<float>(8.47167444229126), 9.0f));
  EXPECT_EQ(reader.readSingle(), 0.25f);
}

TEST(TokenReader, NamesFileAndLineOfABadToken) {
  TokenReader reader("1,0\n0.5,1\n0.25 abc\n", "scores.txt");
  for (int i = 0; i < 5; ++i) reader.readDouble();
  try {
    reader.readDouble();
    FAIL() << "abc read as a number";
  } catch (const ToolError& e) {
    EXPECT_EQ(e.fault(), Fault::kTypeMismatch);
    EXPECT_STREQ(e.what(), "scores.txt: line 3: type mismatch: expected a number, got \"abc\"");
  }
  TokenReader whole("\r\n\r\nx1", "m.txt");
  whole.next();
  whole.next();
  EXPECT_THROW(whole.readWholeLowBits(), ToolError);
  EXPECT_EQ(whole.tokenLine(), 3);
}

TEST(TokenReader, CutsARunawayTokenInTheMessage) {
  std::string text(5000, 'x');
  TokenReader reader(text, "big.txt");
  try {
    reader.readDouble();
    FAIL();
  } catch (const ToolError& e) {
    EXPECT_EQ(std::string(e.what()), "big.txt: line 1: type mismatch: expected a number, got \"" +
                                         std::string(40, 'x') + "...\"");
  }
}

}  // namespace
}  // namespace common
