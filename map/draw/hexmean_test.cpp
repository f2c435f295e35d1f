#include "map/draw/hexmean.h"

#include <gtest/gtest.h>

#include <random>

namespace map::draw {
namespace {

common::Grid2<float> gridOf(int cols, int rows, float fill) {
  return common::Grid2<float>({1, cols}, {1, rows}, fill);
}

TEST(Hexmean, MeanOfTheSixKnownNeighbours) {
  // Unit (col 3, row 3), an odd row: neighbours (2,3), (4,3), and in rows 2
  // and 4 columns 2 and 3.
  common::Grid2<float> g = gridOf(5, 5, kMissing);
  const int cells[6][2] = {{2, 3}, {4, 3}, {2, 2}, {3, 2}, {2, 4}, {3, 4}};
  float value = 1;
  for (const auto& c : cells) g(c[0], c[1]) = value++;
  EXPECT_FLOAT_EQ(hexmean(g, 3, 3), 3.5f);
  g(4, 2) = 100;  // not a neighbour of an odd row's unit
  EXPECT_FLOAT_EQ(hexmean(g, 3, 3), 3.5f);
  // Unit (3, 2), an even row: rows 1 and 3 take columns 3 and 4.
  common::Grid2<float> e = gridOf(5, 5, kMissing);
  e(4, 1) = 8;
  e(4, 3) = 4;
  e(2, 1) = 1000;  // not a neighbour of an even row's unit
  EXPECT_FLOAT_EQ(hexmean(e, 3, 2), 6);
}

TEST(Hexmean, CornerUnitSeesThreeCells) {
  common::Grid2<float> g = gridOf(3, 3, 10);
  g(1, 1) = 1;
  g(2, 1) = 2;
  g(1, 2) = 3;
  EXPECT_FLOAT_EQ(hexmean(g, 1, 1), 2);
}

TEST(Hexmean, OnlyExactlyMinus9999IsMissing) {
  common::Grid2<float> g = gridOf(3, 3, kMissing);
  g(2, 2) = -9998;
  EXPECT_FLOAT_EQ(hexmean(g, 2, 2), -9998);
  g(2, 2) = -10000;
  EXPECT_FLOAT_EQ(hexmean(g, 2, 2), -10000);
  g(2, 2) = kMissing;
  EXPECT_EQ(hexmean(g, 2, 2), kMissing);
}

// The sweeps, straight from the rule: every unit of a fresh copy takes the
// hexmean of the grid before the sweep when missing, else keeps its value.
int literalSweeps(common::Grid2<float>& g) {
  int sweeps = 0;
  for (;;) {
    common::Grid2<float> next = g;
    int missing = 0;
    for (int c = 1; c <= g.first().hi; ++c) {
      for (int r = 1; r <= g.second().hi; ++r) {
        if (g(c, r) == kMissing) next(c, r) = hexmean(g, c, r);
      }
    }
    g = next;
    ++sweeps;
    for (int c = 1; c <= g.first().hi; ++c) {
      for (int r = 1; r <= g.second().hi; ++r) missing += g(c, r) == kMissing;
    }
    if (missing == 0) return sweeps;
  }
}

TEST(FillMissing, EqualsTheLiteralSweepsOnRandomMaps) {
  std::mt19937 random(9);
  for (int trial = 0; trial < 40; ++trial) {
    const int cols = 1 + static_cast<int>(random() % 15);
    const int rows = 1 + static_cast<int>(random() % 15);
    common::Grid2<float> g = gridOf(cols, rows, kMissing);
    const int seeds = 1 + static_cast<int>(random() % 4);
    for (int s = 0; s < seeds; ++s) {
      g(1 + static_cast<int>(random() % cols), 1 + static_cast<int>(random() % rows)) =
          std::uniform_real_distribution<float>(-5, 5)(random);
    }
    common::Grid2<float> literal = g;
    const int expectedSweeps = literalSweeps(literal);
    EXPECT_EQ(fillMissing(g), expectedSweeps);
    for (int c = 1; c <= cols; ++c) {
      for (int r = 1; r <= rows; ++r) ASSERT_EQ(g(c, r), literal(c, r)) << c << "," << r;
    }
  }
}

TEST(FillMissing, OneKnownUnitMakesTheMapUniform) {
  common::Grid2<float> g = gridOf(6, 5, kMissing);
  g(3, 3) = 7.25f;
  EXPECT_GT(fillMissing(g), 1);
  for (int c = 1; c <= 6; ++c) {
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(g(c, r), 7.25f);
  }
  common::Grid2<float> none = gridOf(2, 2, kMissing);
  fillMissing(none);  // no value anywhere: ends, leaves the grid alone
  EXPECT_EQ(none(1, 1), kMissing);
}

}  // namespace
}  // namespace map::draw
