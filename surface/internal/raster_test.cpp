#include "surface/internal/raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace surface::internal {
namespace {

struct Canvas {
  std::vector<std::uint32_t> pixels;
  Raster raster;
  explicit Canvas(int w, int h)
      : pixels(static_cast<std::size_t>(w) * h, 0), raster{nullptr, w, h, w} {
    raster.pixels = pixels.data();
  }
  int count(std::uint32_t colour) const {
    int n = 0;
    for (auto p : pixels) n += p == colour;
    return n;
  }
};

TEST(Raster, FarAwayLinesAreClippedNotWalked) {
  Canvas canvas(100, 100);
  Pen pen{7};
  drawLine(canvas.raster, -1e12, 50, 1e12, 50, pen);
  EXPECT_EQ(canvas.count(7), 100);
  drawLine(canvas.raster, 1e300, -1e300, 2e300, -1e300, pen);  // entirely outside
  EXPECT_EQ(canvas.count(7), 100);
  drawLine(canvas.raster, NAN, 0, 10, 10, pen);
  drawLine(canvas.raster, 0, 0, INFINITY, 10, pen);
  drawLine(canvas.raster, 0, -INFINITY, 10, 10, pen);
  EXPECT_EQ(canvas.count(7), 100);
}

TEST(Raster, DiagonalLineIsOnePixelPerStep) {
  Canvas canvas(10, 10);
  drawLine(canvas.raster, 0, 0, 9, 9, Pen{1});
  EXPECT_EQ(canvas.count(1), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(canvas.raster.at(i, i), 1u);
}

// Wide lines are painted row by row; they must cover exactly the cells that
// stamping the round brush at every step of the line covers.
TEST(Raster, WideLinesEqualTheStampedBrushCellForCell) {
  std::mt19937 random(5);
  // Ends within the clipping margin (4 + width), so that both walk one path.
  std::uniform_real_distribution<double> col(-60, 360), row(-60, 260);
  for (int trial = 0; trial < 60; ++trial) {
    const Pen pen{1, 65 + static_cast<int>(random() % 200)};
    const double c1 = col(random), r1 = row(random);
    const double c2 = trial % 5 == 0 ? c1 : col(random), r2 = trial % 7 == 0 ? r1 : row(random);
    Canvas fast(300, 200), stamped(300, 200);
    drawLine(fast.raster, c1, r1, c2, r2, pen);
    int x = static_cast<int>(std::round(c1)), y = static_cast<int>(std::round(r1));
    const int xEnd = static_cast<int>(std::round(c2)), yEnd = static_cast<int>(std::round(r2));
    const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
    const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
    int error = dx + dy;
    for (;;) {
      stamp(stamped.raster, x, y, pen);
      if (x == xEnd && y == yEnd) break;
      const int twice = 2 * error;
      if (twice >= dy) error += dy, x += sx;
      if (twice <= dx) error += dx, y += sy;
    }
    ASSERT_EQ(fast.pixels, stamped.pixels) << "trial " << trial << " width " << pen.width;
  }
}

TEST(Raster, HugeCircleAroundThePictureCostsLittle) {
  Canvas canvas(50, 50);
  drawCircle(canvas.raster, 1000000000, 25, 2000000000, Pen{3}, true, 4);
  drawCircle(canvas.raster, 25, 25, 0, Pen{5}, false, 0);
  EXPECT_EQ(canvas.raster.at(25, 25), 5u);
}

TEST(Raster, FixedTextClipsAtTheEdges) {
  Canvas canvas(12, 6);
  drawFixedText(canvas.raster, -4, -3, "HH", 2, 9);
  drawFixedText(canvas.raster, 100, 100, "H", 1, 9);
  EXPECT_GT(canvas.count(9), 0);
}

}  // namespace
}  // namespace surface::internal
