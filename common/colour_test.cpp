#include "common/colour.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(Colour, PacksComponentsAndClampsThem) {
  EXPECT_EQ(rgb(1, 2, 3), 1u + 256u * 2 + 65536u * 3);
  EXPECT_EQ(rgb(300, 0, 0), rgb(255, 0, 0));
  EXPECT_EQ(rgb(0, 256, 1000), rgb(0, 255, 255));
  EXPECT_EQ(rgb(-5, 0, 0), 0u);
  Colour c = rgb(10, 20, 30);
  EXPECT_EQ(redOf(c), 10);
  EXPECT_EQ(greenOf(c), 20);
  EXPECT_EQ(blueOf(c), 30);
}

TEST(Colour, PaletteMatchesTheStandardSixteen) {
  struct Row {
    int n, r, g, b;
  };
  const Row rows[] = {
      {0, 0, 0, 0},       {1, 0, 0, 128},    {2, 0, 128, 0},    {3, 0, 128, 128},
      {4, 128, 0, 0},     {5, 128, 0, 128},  {6, 128, 128, 0},  {7, 192, 192, 192},
      {8, 128, 128, 128}, {9, 0, 0, 255},    {10, 0, 255, 0},   {11, 0, 255, 255},
      {12, 255, 0, 0},    {13, 255, 0, 255}, {14, 255, 255, 0}, {15, 255, 255, 255}};
  for (const Row& row : rows) {
    EXPECT_EQ(paletteColour(row.n), rgb(row.r, row.g, row.b)) << "colour " << row.n;
  }
  EXPECT_EQ(kRed, rgb(255, 0, 0));
  EXPECT_EQ(kBlue, rgb(0, 0, 255));
}

}  // namespace
}  // namespace common
