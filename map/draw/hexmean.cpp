#include "map/draw/hexmean.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace map::draw {

float hexmean(const common::Grid2<float>& g, int x, int y) {
  constexpr int r = 1;
  float sum = 0.0f;
  int count = 0;
  const common::Bounds cols = g.first();
  const common::Bounds rows = g.second();
  for (int i = y - r; i <= y + r; ++i) {
    if (!rows.contains(i)) continue;
    const int w = r - std::abs(y - i) / 2;
    const int p = y % 2 != 0 ? 1 : 0;
    const int q = i % 2 != 0 ? 1 : 0;
    const int lo = x - w + q * (1 - p);
    const int hi = x + w - p * (1 - q);
    for (int j = lo; j <= hi; ++j) {
      if (!cols.contains(j)) continue;
      const float v = g(j, i);
      if (v != kMissing) {
        sum = sum + v;
        ++count;
      }
    }
  }
  return count == 0 ? kMissing : sum / static_cast<float>(count);
}

int fillMissing(common::Grid2<float>& g) {
  const common::Bounds cols = g.first();
  const common::Bounds rows = g.second();
  // The units still missing; a sweep visits only them, which is the same as
  // the rule for every unit, since a known unit keeps its value.
  std::vector<std::pair<int, int>> missing;
  for (int c = cols.lo; c <= cols.hi; ++c) {
    for (int r = rows.lo; r <= rows.hi; ++r) {
      if (g(c, r) == kMissing) missing.emplace_back(c, r);
    }
  }
  int sweeps = 0;
  std::vector<float> filled;
  do {  // a sweep, then the test: there is always at least one

    filled.clear();
    for (const auto& [c, r] : missing) filled.push_back(hexmean(g, c, r));
    std::vector<std::pair<int, int>> still;
    for (std::size_t k = 0; k < missing.size(); ++k) {
      const auto [c, r] = missing[k];
      g(c, r) = filled[k];
      if (filled[k] == kMissing) still.push_back(missing[k]);
    }
    ++sweeps;
    if (!missing.empty() && still.size() == missing.size()) break;  // no known value anywhere
    missing = std::move(still);
  } while (!missing.empty());
  return sweeps;
}

}  // namespace map::draw
