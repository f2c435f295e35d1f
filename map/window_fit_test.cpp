#include "map/window_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace map {
namespace {

TEST(WindowFit, TenByTenAtHexSize300) {
  const MapGeometry g = fitWindow(10, 10, 300);
  EXPECT_DOUBLE_EQ(g.mapScale, 0.9);
  EXPECT_NEAR(g.pictureWidth, 3105, 1e-9);
  EXPECT_NEAR(g.pictureHeight, 2743.27, 0.005);
  EXPECT_NEAR(g.windowWidth, 3465, 1e-9);
  EXPECT_NEAR(g.windowHeight, 3463.27, 0.005);
  EXPECT_EQ(g.widthPx, 207);
  // The formulas end the scale at 9.215, above the last row's bottom at
  // 9.82: the picture grows downward until 9.92 is inside, the scale with it.
  EXPECT_GT(g.extraRowsPx, 0);
  EXPECT_GE(g.y2, 0.87 * 10 + 1.12 + 0.1);
  const double rowsPerUnit = g.heightPx / (g.y2 - 0.5);
  EXPECT_NEAR(rowsPerUnit, 183 / (9.2150 - 0.5), 0.01);  // units stay where they were
  EXPECT_LT(0.5 + (g.heightPx - 1) / rowsPerUnit, 0.87 * 10 + 1.12 + 0.1);  // whole pixels, no more
}

TEST(WindowFit, MapsThatFitAreUnchanged) {
  const MapGeometry g = fitWindow(40, 40, 300);
  EXPECT_EQ(g.extraRowsPx, 0);
  EXPECT_EQ(g.extraColsPx, 0);
  EXPECT_GE(g.y2, 0.87 * 40 + 1.12);
  EXPECT_GE(g.x2, 40 + 1.1);
}

// Where the formulas end the scale left of the last column's right edge,
// the picture grows to the right by whole pixels until that edge plus 0.1 is
// inside; every unit stays where the formulas put it.
TEST(WindowFit, TheRightEdgeIsExtendedToTheLastColumn) {
  struct Case {
    int rows, cols;
    double hexSize, formulaX2;
  } cases[] = {{10, 10, 150, 10.74}, {100, 100, 600, 100.81}, {60, 5, 900, 5.71}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cols);
    const MapGeometry g = fitWindow(c.rows, c.cols, c.hexSize);
    const int formulaWidth = static_cast<int>(std::round(g.pictureWidth / kTwipsPerPixel));
    EXPECT_GT(g.extraColsPx, 0);
    EXPECT_EQ(g.widthPx, formulaWidth + g.extraColsPx);
    const double colsPerUnit = g.widthPx / g.x2;
    EXPECT_NEAR(formulaWidth / colsPerUnit, c.formulaX2, 0.005);  // units stay where they were
    EXPECT_GE(g.x2, c.cols + 1.1);
    EXPECT_LT((g.widthPx - 1) / colsPerUnit, c.cols + 1.1);  // whole pixels, no more
  }
}

TEST(WindowFit, LargeMapsShrinkUntilTheWindowFits) {
  const MapGeometry g = fitWindow(100, 100, 600);
  EXPECT_LT(g.mapScale, 0.9);
  EXPECT_LE(g.windowWidth, 28800);
  EXPECT_LE(g.windowHeight, 16000);
  // One factor of 0.9 fewer would not fit.
  EXPECT_TRUE(g.pictureWidth / 0.9 + 360 > 28800 || g.pictureHeight / 0.9 + 720 > 16000);
  EXPECT_LE(g.widthPx, 1920);
  EXPECT_TRUE(g.fits);
  // Spacings no shrinking brings into the window.
  for (double hexSize : {1e200, 1e308, HUGE_VAL, std::nan("")}) {
    EXPECT_FALSE(fitWindow(8, 12, hexSize).fits) << hexSize;
  }
}

}  // namespace
}  // namespace map
