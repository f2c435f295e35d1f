#include "map/draw/labels.h"

#include <gtest/gtest.h>

#include <string>

namespace map::draw {
namespace {

TEST(CountLabels, CountsBlankSeparatedWords) {
  struct Row {
    std::string text;
    int expected;
  } rows[] = {
      {"", 0},     {"   ", 0}, {" A", 1},   {" A B C", 3},
      {"A  B", 3}, {"\tA", 1}, {"A\tB", 1}, {" setosa12 ", 1},
  };
  for (const Row& r : rows) EXPECT_EQ(countLabels(r.text), r.expected) << '"' << r.text << '"';
  std::string forty;
  for (int i = 0; i < 40; ++i) forty += " L" + std::to_string(i);
  EXPECT_EQ(countLabels(forty), 40);
}

}  // namespace
}  // namespace map::draw
