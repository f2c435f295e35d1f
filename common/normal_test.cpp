#include "common/normal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace common {
namespace {

TEST(NormalQuantile, ListedValues) {
  EXPECT_EQ(NormalQuantile(0.5), 0);
  EXPECT_EQ(NormalQuantile(0.975), 1.959963984540054);
  EXPECT_NEAR(NormalQuantile(0.025), -1.9599639845400545, 1e-15);
  EXPECT_NEAR(NormalQuantile(0.995), 2.5758293035489004, 1e-15);
  EXPECT_NEAR(NormalQuantile(1e-10), -6.361340902404056, 1e-14);
  EXPECT_NEAR(NormalQuantile(0.99), 2.3263478740408408, 1e-14);
}

TEST(NormalQuantile, OutOfRange) {
  EXPECT_EQ(NormalQuantile(0), 0);
  EXPECT_EQ(NormalQuantile(1), 1.797693134862315e308);
  EXPECT_EQ(NormalQuantile(-0.5), -1.797693134862315e308);
  EXPECT_EQ(NormalQuantile(1.5), 1.797693134862315e308);
}

TEST(NormalQuantile, RegionBoundaries) {
  // At the tail limit the tail formula is used, just above it the central
  // one; both agree closely, so compare with each region's own formula.
  const double tail = 0.1353352832366127;
  const double x = std::sqrt(-2 * std::log(tail));
  EXPECT_LT(NormalQuantile(tail), -1.0);
  EXPECT_NEAR(NormalQuantile(tail), NormalQuantile(std::nextafter(tail, 1.0)), 1e-6);
  EXPECT_GT(x, 0);
  // 1 - e^-2 itself stays central: the result is minus that of e^-2's
  // central neighbour, not of the tail formula.
  const double upper = 0.8646647167633873;
  EXPECT_NEAR(NormalQuantile(upper), -NormalQuantile(1 - upper), 1e-6);
  EXPECT_GT(NormalQuantile(upper), 1.0);
}

TEST(NormalCdf, ListedValues) {
  EXPECT_EQ(NormalCdf(0), 0.5);
  EXPECT_NEAR(NormalCdf(1), 0.841344746068543, 1e-15);
  EXPECT_NEAR(NormalCdf(-1), 0.15865525393145696, 1e-15);
  EXPECT_NEAR(NormalCdf(1.959963984540054), 0.9750000000000003, 1e-15);
  EXPECT_NEAR(NormalCdf(3), 0.9986501019683698, 1e-15);
}

TEST(NormalCdf, ClampBeyond8Point3) {
  EXPECT_EQ(NormalCdf(8.31), 1);
  EXPECT_EQ(NormalCdf(-8.31), 0);
  EXPECT_LT(NormalCdf(6), 1);  // the series, short of 1
  EXPECT_GT(NormalCdf(-6), 0);
}

}  // namespace
}  // namespace common
