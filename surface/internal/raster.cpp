#include "surface/internal/raster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "surface/font8x8.h"

namespace surface::internal {
namespace {

// Clips the segment to the box [lo, hi] in both axes (Liang-Barsky).
// Returns false when nothing of it is inside.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY, double hiX,
                 double hiY) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
    } else {
      double t = q[i] / p[i];
      if (p[i] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
    }
  }
  if (t0 > t1) return false;
  const double ox = x1;
  const double oy = y1;
  if (t1 < 1.0) {
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
  }
  if (t0 > 0.0) {
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
  }
  return true;
}

}  // namespace

void stamp(const Raster& raster, int col, int row, const Pen& pen) {
  if (pen.width <= 1) {
    if (raster.inside(col, row)) raster.at(col, row) = pen.argb;
    return;
  }
  // A round brush: the cells of a w x w square whose centres lie within the
  // inscribed circle (all four cells at width 2, the full square at 3).
  const int w = pen.width;
  const int origin = -(w - 1) / 2;
  const double half = w / 2.0;
  // Only the brush cells that fall inside the picture are visited.
  const int firstJ = std::max(0, -(row + origin)),
            lastJ = std::min(w - 1, raster.height - 1 - (row + origin));
  const int firstI = std::max(0, -(col + origin)),
            lastI = std::min(w - 1, raster.width - 1 - (col + origin));
  for (int j = firstJ; j <= lastJ; ++j) {
    for (int i = firstI; i <= lastI; ++i) {
      double dx = i + 0.5 - half;
      double dy = j + 0.5 - half;
      if (dx * dx + dy * dy > half * half + 0.25) continue;
      raster.at(col + origin + i, row + origin + j) = pen.argb;
    }
  }
}

namespace {

// Pens up to this width stamp their brush at every step of the line.
constexpr int kStampedWidth = 64;

// The brush cells of row j of a round brush of width w span columns
// [first, last] of the w x w square (the cells that stamp() paints).
std::pair<int, int> brushRow(int w, int j) {
  const double half = w / 2.0;
  const double dy = j + 0.5 - half;
  int first = 0;
  while (first < w) {
    const double dx = first + 0.5 - half;
    if (dx * dx + dy * dy <= half * half + 0.25) break;
    ++first;
  }
  return {first, w - 1 - first};
}

// A wide line: the same cells as stamping the round brush at every step,
// painted once.  Each raster row collects the leftmost and rightmost cell
// that any stamp gives it; consecutive stamps differ by at most one pixel
// and a wide brush's rows are many cells wide, so what one row receives is
// one unbroken run.  Costs the brush's height per step, not its area.
class WideStroke {
 public:
  WideStroke(const Raster& raster, int width)
      : raster_(raster),
        width_(width),
        origin_(-(width - 1) / 2),
        left_(static_cast<std::size_t>(raster.height), INT32_MAX),
        right_(static_cast<std::size_t>(raster.height), INT32_MIN) {
    spans_.reserve(static_cast<std::size_t>(width));
    for (int j = 0; j < width; ++j) spans_.push_back(brushRow(width, j));
  }
  void add(int col, int row) {
    const int firstJ = std::max(0, -(row + origin_));
    const int lastJ = std::min(width_ - 1, raster_.height - 1 - (row + origin_));
    for (int j = firstJ; j <= lastJ; ++j) {
      const std::size_t r = static_cast<std::size_t>(row + origin_ + j);
      const auto [first, last] = spans_[static_cast<std::size_t>(j)];
      left_[r] = std::min(left_[r], col + origin_ + first);
      right_[r] = std::max(right_[r], col + origin_ + last);
    }
  }
  void paint(std::uint32_t argb) const {
    for (int r = 0; r < raster_.height; ++r) {
      const std::size_t i = static_cast<std::size_t>(r);
      if (left_[i] > right_[i]) continue;
      fillRect(raster_, left_[i], r, right_[i], r, argb);
    }
  }

 private:
  const Raster& raster_;
  int width_;
  int origin_;
  std::vector<std::pair<int, int>> spans_;
  std::vector<int> left_, right_;
};

}  // namespace

void drawLine(const Raster& raster, double col1, double row1, double col2, double row2,
              const Pen& pen) {
  // A line to a point at infinity or not a number has no drawable course.
  if (!std::isfinite(col1) || !std::isfinite(row1) || !std::isfinite(col2) ||
      !std::isfinite(row2)) {
    return;
  }
  // Ends inside the margin keep their exact rounding; only far ends move.
  const double margin = 4.0 + pen.width;
  if (!clipSegment(col1, row1, col2, row2, -margin, -margin, raster.width + margin,
                   raster.height + margin)) {
    return;
  }
  int x = static_cast<int>(std::round(col1));
  int y = static_cast<int>(std::round(row1));
  const int xEnd = static_cast<int>(std::round(col2));
  const int yEnd = static_cast<int>(std::round(row2));
  const int dx = std::abs(xEnd - x);
  const int dy = -std::abs(yEnd - y);
  const int sx = x < xEnd ? 1 : -1;
  const int sy = y < yEnd ? 1 : -1;
  int error = dx + dy;
  std::optional<WideStroke> wide;
  if (pen.width > kStampedWidth) wide.emplace(raster, pen.width);
  for (long step = 0;; ++step) {
    if (wide) {
      wide->add(x, y);
    } else if (!pen.dotted || pen.width > 1 || step % 2 == 0) {
      stamp(raster, x, y, pen);
    }
    if (x == xEnd && y == yEnd) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
  if (wide) wide->paint(pen.argb);
}

void fillRect(const Raster& raster, int col1, int row1, int col2, int row2, std::uint32_t argb) {
  const int left = std::max(std::min(col1, col2), 0);
  const int right = std::min(std::max(col1, col2), raster.width - 1);
  const int top = std::max(std::min(row1, row2), 0);
  const int bottom = std::min(std::max(row1, row2), raster.height - 1);
  for (int r = top; r <= bottom; ++r) {
    std::fill(&raster.at(left, r), &raster.at(left, r) + std::max(right - left + 1, 0), argb);
  }
}

void drawCircle(const Raster& raster, int col, int row, int radius, const Pen& pen, bool fill,
                std::uint32_t fillArgb) {
  if (radius < 0) return;
  // A circle far larger than the picture is clipped away point by point;
  // bound the work by the picture's size.
  const long limit = 4L * (raster.width + raster.height) + pen.width;
  if (radius > limit && (std::abs(col) > limit || std::abs(row) > limit)) return;
  radius = static_cast<int>(std::min<long>(radius, 1L << 20));
  if (fill) {
    const long r2 = static_cast<long>(radius) * radius;
    const int top = std::max(row - radius, 0);
    const int bottom = std::min(row + radius, raster.height - 1);
    for (int r = top; r <= bottom; ++r) {
      long dy = r - row;
      int half = static_cast<int>(std::floor(std::sqrt(static_cast<double>(r2 - dy * dy))));
      fillRect(raster, col - half, r, col + half, r, fillArgb);
    }
  }
  // Midpoint circle: eight symmetric points per step, made once per radius
  // (plots draw many circles of one size).
  thread_local int cachedRadius = -1;
  thread_local std::vector<std::pair<int, int>> outline;
  if (radius != cachedRadius) {
    outline.clear();
    int x = radius;
    int y = 0;
    int error = 1 - radius;
    while (x >= y) {
      const int points[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                                {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
      for (const auto& p : points) outline.emplace_back(p[0], p[1]);
      ++y;
      if (error < 0) {
        error += 2 * y + 1;
      } else {
        --x;
        error += 2 * (y - x) + 1;
      }
    }
    cachedRadius = radius;
  }
  const bool inside = pen.width <= 1 && col - radius >= 0 && row - radius >= 0 &&
                      col + radius < raster.width && row + radius < raster.height;
  for (const auto& [dx, dy] : outline) {
    if (inside) {
      raster.at(col + dx, row + dy) = pen.argb;
    } else {
      stamp(raster, col + dx, row + dy, pen);
    }
  }
}

void floodFill(const Raster& raster, int col, int row, std::uint32_t border, std::uint32_t argb,
               FillMarks& marks, std::vector<int>* runs) {
  if (!raster.inside(col, row) || raster.at(col, row) == border) return;
  const std::size_t area = static_cast<std::size_t>(raster.width) * raster.height;
  if (marks.stamps.size() != area || marks.generation == UINT32_MAX) {
    marks.stamps.assign(area, 0);
    marks.generation = 0;
  }
  const std::uint32_t generation = ++marks.generation;
  std::uint32_t* stamps = marks.stamps.data();
  auto open = [&](int c, int r) {
    return raster.at(c, r) != border &&
           stamps[static_cast<std::size_t>(r) * raster.width + c] != generation;
  };
  // Each entry is a pixel from which a run is filled left and right; the rows
  // above and below the run then push one seed per stretch of open pixels.
  std::vector<std::pair<int, int>> seeds{{col, row}};
  while (!seeds.empty()) {
    auto [c, r] = seeds.back();
    seeds.pop_back();
    if (!open(c, r)) continue;
    int left = c;
    while (left > 0 && open(left - 1, r)) --left;
    int right = c;
    while (right + 1 < raster.width && open(right + 1, r)) ++right;
    for (int i = left; i <= right; ++i) {
      raster.at(i, r) = argb;
      stamps[static_cast<std::size_t>(r) * raster.width + i] = generation;
    }
    if (runs != nullptr) runs->insert(runs->end(), {r, left, right});
    for (int nr : {r - 1, r + 1}) {
      if (nr < 0 || nr >= raster.height) continue;
      bool inRun = false;
      for (int i = left; i <= right; ++i) {
        bool o = open(i, nr);
        if (o && !inRun) seeds.emplace_back(i, nr);
        inRun = o;
      }
    }
  }
}

void drawFixedText(const Raster& raster, int col, int row, const char* text, int length,
                   std::uint32_t argb) {
  for (int k = 0; k < length; ++k) {
    const std::uint8_t* rows = glyph8x8(text[k]);
    const int left = col + 8 * k;
    if (left >= raster.width) break;
    for (int r = 0; r < 8; ++r) {
      for (int c = 0; c < 8; ++c) {
        if ((rows[r] & (0x80 >> c)) && raster.inside(left + c, row + r)) {
          raster.at(left + c, row + r) = argb;
        }
      }
    }
  }
}

}  // namespace surface::internal
