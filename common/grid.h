// Arrays indexed from chosen lower bounds, with every index checked.
//
// The renderer's grids are addressed the way its data are: weights(col, row,
// var) with columns and rows counted from 1, labels(row, col) from 0.  An
// index outside the bounds throws ToolError(kSubscriptOutOfRange); nothing is
// ever read or written outside the storage.
#ifndef COMMON_GRID_H_
#define COMMON_GRID_H_

#include <cstddef>
#include <string>
#include <vector>

#include "common/errors.h"

namespace common {

// Bounds of one dimension, lo..hi inclusive (empty when hi < lo).
struct Bounds {
  int lo = 1;
  int hi = 0;
  std::size_t size() const { return hi < lo ? 0 : static_cast<std::size_t>(hi - lo + 1); }
  bool contains(int i) const { return i >= lo && i <= hi; }
};

[[noreturn]] inline void throwSubscript(const char* what, int i, Bounds b) {
  throw ToolError(Fault::kSubscriptOutOfRange,
                  std::string(what) + ": subscript out of range: " + std::to_string(i) +
                      " is outside " + std::to_string(b.lo) + ".." + std::to_string(b.hi));
}

// A two-dimensional grid, first index over "first", second over "second".
template <typename T>
class Grid2 {
 public:
  Grid2() = default;
  Grid2(Bounds first, Bounds second, const T& fill = T())
      : first_(first), second_(second), cells_(first.size() * second.size(), fill) {}

  T& operator()(int i, int j) { return cells_[offset(i, j)]; }
  const T& operator()(int i, int j) const { return cells_[offset(i, j)]; }
  Bounds first() const { return first_; }
  Bounds second() const { return second_; }
  void fill(const T& value) { cells_.assign(cells_.size(), value); }

 private:
  std::size_t offset(int i, int j) const {
    if (!first_.contains(i)) throwSubscript("grid", i, first_);
    if (!second_.contains(j)) throwSubscript("grid", j, second_);
    return static_cast<std::size_t>(i - first_.lo) * second_.size() +
           static_cast<std::size_t>(j - second_.lo);
  }
  Bounds first_{1, 0};
  Bounds second_{1, 0};
  std::vector<T> cells_;
};

// A three-dimensional grid; the last index runs fastest in memory, so the
// values of one (i, j) cell lie together.
template <typename T>
class Grid3 {
 public:
  Grid3() = default;
  Grid3(Bounds first, Bounds second, Bounds third, const T& fill = T())
      : first_(first),
        second_(second),
        third_(third),
        cells_(first.size() * second.size() * third.size(), fill) {}

  T& operator()(int i, int j, int k) { return cells_[offset(i, j, k)]; }
  const T& operator()(int i, int j, int k) const { return cells_[offset(i, j, k)]; }
  Bounds first() const { return first_; }
  Bounds second() const { return second_; }
  Bounds third() const { return third_; }

 private:
  std::size_t offset(int i, int j, int k) const {
    if (!first_.contains(i)) throwSubscript("grid", i, first_);
    if (!second_.contains(j)) throwSubscript("grid", j, second_);
    if (!third_.contains(k)) throwSubscript("grid", k, third_);
    return (static_cast<std::size_t>(i - first_.lo) * second_.size() +
            static_cast<std::size_t>(j - second_.lo)) *
               third_.size() +
           static_cast<std::size_t>(k - third_.lo);
  }
  Bounds first_{1, 0};
  Bounds second_{1, 0};
  Bounds third_{1, 0};
  std::vector<T> cells_;
};

}  // namespace common

#endif  // COMMON_GRID_H_
