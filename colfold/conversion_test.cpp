#include "colfold/conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/errors.h"
#include "common/number_forms.h"

namespace colfold {
namespace {

namespace fs = std::filesystem;

std::string convert(const std::string& text, std::int64_t* count = nullptr) {
  std::string out;
  const std::int64_t n = convertValues(text, "t.txt", out);
  if (count) *count = n;
  return out;
}

TEST(Conversion, ThreeByFourTable) {
  std::int64_t n = 0;
  EXPECT_EQ(convert("1 2 3 4\n5,6,7,8\n9  10 , 11 12\n", &n),
            " 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n 6\r\n 7\r\n 8\r\n 9\r\n 10\r\n 11\r\n 12\r\n");
  EXPECT_EQ(n, 12);
}

TEST(Conversion, EmptyTokensAreZero) {
  struct Row {
    const char* text;
    const char* out;
  } rows[] = {
      {"1\n\n2\n", " 1\r\n 0\r\n 2\r\n"},  // an empty line
      {"1,,2", " 1\r\n 0\r\n 2\r\n"},      // two commas
      {"1,\n2", " 1\r\n 0\r\n 2\r\n"},     // a comma at a line's end
      {"1 2\n\n", " 1\r\n 2\r\n 0\r\n"},   // an empty last line
      {"1   2  ", " 1\r\n 2\r\n"},         // blanks never make one
      {"1 2", " 1\r\n 2\r\n"},             // no final line end: no extra value
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(convert(r.text), r.out) << r.text;
}

TEST(Conversion, SevenDigitsOfASingle) {
  EXPECT_EQ(convert("1234567.89 0.25 -1.5 5 1.23456789 1e-5 2D3 1e39 8.47167444229126"),
            " 1234568\r\n 0.25\r\n-1.5\r\n 5\r\n 1.234568\r\n 1e-05\r\n 2000\r\n inf\r\n"
            " 8.471675\r\n");
}

// The single form is "%.7g" of the single widened, for every kind of value.
TEST(Conversion, SingleFormEqualsPrintf) {
  std::mt19937 random(1);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int trial = 0; trial < 200000; ++trial) {
    std::uint32_t b = bits(random);
    float value;
    std::memcpy(&value, &b, sizeof value);
    if (!std::isfinite(value)) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.7g", static_cast<double>(value));
    std::string out;
    common::appendConsoleSingle(out, value);
    const std::string want = (value < 0 ? "" : " ") + std::string(expected);
    ASSERT_EQ(out, value == 0 ? " 0" : want) << expected;
  }
}

// The same for the magnitudes of real tables, and for exact halves.
TEST(Conversion, SingleFormEqualsPrintfForTableValues) {
  std::mt19937 random(2);
  std::uniform_real_distribution<double> exponent(-11, 8);
  std::uniform_real_distribution<double> mantissa(1, 10);
  auto expectForm = [](float value) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.7g", static_cast<double>(value));
    std::string out;
    common::appendConsoleSingle(out, value);
    ASSERT_EQ(out, (value < 0 ? "" : " ") + std::string(expected)) << expected;
  };
  for (int trial = 0; trial < 400000; ++trial) {
    float value =
        static_cast<float>(mantissa(random) * std::pow(10.0, std::floor(exponent(random))));
    if (trial % 2) value = -value;
    expectForm(value);
    expectForm(std::nextafter(value, 0.0f));
  }
  for (float tie :
       {1234567.5f, 1234568.5f, 999999.5f, 9999999.5f, 0.5f, 2.5f, 1e-10f, 9.9999999e6f}) {
    expectForm(tie);
    expectForm(-tie);
  }
}

TEST(Conversion, BadTokenStops) {
  try {
    convert("1 2\n3 x4\n");
    FAIL();
  } catch (const common::ToolError& e) {
    EXPECT_STREQ(e.what(), "t.txt: line 2: type mismatch: expected a number, got \"x4\"");
  }
}

TEST(ConvertFile, BlocksOnTwoThreadsGiveTheSameFile) {
  fs::path dir = fs::temp_directory_path() / ("colfold_test_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::mt19937 random(3);
  std::string table;
  while (table.size() < (20u << 20)) {
    for (int c = 0; c < 10; ++c) {
      table += std::to_string(static_cast<int>(random() % 100000)) + "." +
               std::to_string(random() % 1000) + (c % 3 == 0 ? ", " : "  ");
    }
    table += random() % 50 == 0 ? ",\r\n\r\n" : "\n";
  }
  std::ofstream(dir / "in.txt", std::ios::binary) << table;
  const std::int64_t n =
      convertFile({(dir / "in.txt").string(), (dir / "out.pat").string(), "10", "1", "x"});
  std::string expected = "10\r\n1\r\nx\r\n";
  const std::int64_t m = convertValues(table, "in.txt", expected);
  EXPECT_EQ(n, m);
  std::ifstream in(dir / "out.pat", std::ios::binary);
  std::stringstream got;
  got << in.rdbuf();
  EXPECT_TRUE(got.str() == expected);
  // A bad token deep in the file is named on its line of the whole file, as
  // one reader from the start names it; and the old output stays.
  std::string bad = table;
  bad.insert(bad.find('\n', bad.size() * 3 / 4) + 1, "7 x7\n");
  const std::string badName = (dir / "bad.txt").string();
  std::ofstream(badName, std::ios::binary) << bad;
  std::string expectedError;
  try {
    std::string out;
    convertValues(bad, badName, out);
  } catch (const common::ToolError& e) {
    expectedError = e.what();
  }
  try {
    convertFile({badName, (dir / "out.pat").string(), "", "", ""});
    ADD_FAILURE() << "a bad token converted";
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.what(), expectedError);
    EXPECT_NE(expectedError.find("got \"x7\""), std::string::npos) << expectedError;
  }
  std::ifstream again(dir / "out.pat", std::ios::binary);
  std::stringstream kept;
  kept << again.rdbuf();
  EXPECT_TRUE(kept.str() == expected);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace colfold
