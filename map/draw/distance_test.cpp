#include "map/draw/distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_support/som_grids.h"

namespace map::draw {
namespace {

const float kRoot2 = static_cast<float>(std::sqrt(2.0));

TEST(Distance, IdenticalVectorsAreZeroApart) {
  const float x[] = {1, 2, 3};
  for (int pref = 0; pref <= 13; ++pref) {
    EXPECT_NEAR(distance(x, x, 3, pref), 0.0f, pref == 5 ? 1e-3f : 1e-6f) << "measure " << pref;
  }
}

TEST(Distance, CrossedUnitVectors) {
  const float x[] = {0, 1};
  const float y[] = {1, 0};
  struct Row {
    int pref;
    float expected;
  } rows[] = {{0, kRoot2}, {1, 2},      {2, 2}, {3, 1},       {4, 1},  {5, kRoot2},  {6, 1},
              {7, 1},      {8, kRoot2}, {9, 2}, {10, kRoot2}, {11, 2}, {12, kRoot2}, {13, 1}};
  for (const Row& r : rows) {
    EXPECT_FLOAT_EQ(distance(x, y, 2, r.pref), r.expected) << "measure " << r.pref;
  }
}

TEST(Distance, CanberraSkipsZeroSums) {
  const float x[] = {0, 2};
  const float y[] = {0, 4};
  EXPECT_FLOAT_EQ(distance(x, y, 2, 2), 1.0f / 3);
  EXPECT_FLOAT_EQ(distance(x, y, 2, 3), 2.0f / 6);
}

TEST(Distance, UnknownMeasures) {
  const float x[] = {1, 2};
  EXPECT_EQ(distance(x, x, 2, -1), 1e37f);
  EXPECT_EQ(distance(x, x, 2, 14), 1e37f);
}

TEST(Distance, ZeroDenominatorsLeaveTheirTermsOut) {
  const float zero[] = {0, 0, 0};
  const float some[] = {1, 2, 3};
  for (int pref = 0; pref <= 13; ++pref) {
    EXPECT_EQ(distance(zero, zero, 3, pref), 0.0f) << "measure " << pref;
    const float d = distance(zero, some, 3, pref);
    EXPECT_TRUE(std::isfinite(d)) << "measure " << pref;
    EXPECT_GE(d, 0.0f) << "measure " << pref;
  }
  EXPECT_FLOAT_EQ(distance(zero, some, 3, 5), kRoot2);  // no shared direction
  EXPECT_FLOAT_EQ(distance(zero, some, 3, 0), std::sqrt(14.0f));
}

// Both units of a side must give it the same width: every measure is
// symmetric, to the last bit.
TEST(Distance, EveryMeasureIsSymmetric) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> value(0.0f, 10.0f);
  for (int trial = 0; trial < 200; ++trial) {
    float x[7], y[7];
    for (int i = 0; i < 7; ++i) {
      x[i] = value(random);
      y[i] = value(random);
    }
    for (int pref = 0; pref <= 13; ++pref) {
      EXPECT_EQ(distance(x, y, 7, pref), distance(y, x, 7, pref)) << "measure " << pref;
    }
  }
}

using support::gridOf;

TEST(MaxDistance, FindsTheLargestNeighbourPair) {
  SomGrid row = gridOf(1, 2, 2);
  row.weights(2, 1, 1) = 3;
  row.weights(2, 1, 2) = 4;
  EXPECT_FLOAT_EQ(maxdistance(row, 2, 1, 2, 0), 5);
  SomGrid column = gridOf(2, 1, 1);
  column.weights(1, 2, 1) = 2.5f;
  EXPECT_FLOAT_EQ(maxdistance(column, 1, 2, 1, 1), 2.5f);
  SomGrid single = gridOf(1, 1, 1);
  EXPECT_EQ(maxdistance(single, 1, 1, 1, 0), -1e37f);
  // Units (1,1) and (2,3) are not neighbours; only real neighbours count.
  SomGrid map = gridOf(2, 3, 1);
  map.weights(3, 2, 1) = 100;
  map.weights(2, 2, 1) = 1;
  EXPECT_FLOAT_EQ(maxdistance(map, 3, 2, 1, 1), 100);
  map.weights(3, 2, 1) = 0;
  map.weights(1, 1, 1) = 50;  // neighbours (2,1) and (1,2); (2,2) is not one of an odd row's
  EXPECT_FLOAT_EQ(maxdistance(map, 3, 2, 1, 1), 50);
}

}  // namespace
}  // namespace map::draw
