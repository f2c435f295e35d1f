#include "surface/internal/raster.h"

#include <gtest/gtest.h>

#include <cmath>
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
