#include "map/draw/distance.h"

#include <cmath>
#include <vector>

namespace map::draw {
namespace {

// A single-precision running sum: every addition rounds to a single.
struct SingleSum {
  float value = 0.0f;
  void add(double term) { value = static_cast<float>(static_cast<double>(value) + term); }
};

float rootOf(double value) {
  // Rounding can leave a value that is zero in truth a hair below it.
  return static_cast<float>(std::sqrt(value < 0 ? 0.0 : value));
}

bool allZero(const float* v, int p) {
  for (int i = 0; i < p; ++i) {
    if (v[i] != 0.0f) return false;
  }
  return true;
}

// A and B, the sums of the two vectors.
void totals(const float* x, const float* y, int p, float& a, float& b) {
  SingleSum sa, sb;
  for (int i = 0; i < p; ++i) {
    sa.add(x[i]);
    sb.add(y[i]);
  }
  a = sa.value;
  b = sb.value;
}

float minkowskiLike(const float* x, const float* y, int p, int pref) {
  SingleSum sum;
  for (int i = 0; i < p; ++i) {
    const double d = static_cast<double>(x[i]) - y[i];
    sum.add(pref == 1 || pref == 12 ? std::fabs(d) : d * d);
  }
  if (pref == 0 || pref == 12) return rootOf(sum.value);
  return sum.value;
}

float canberra(const float* x, const float* y, int p) {
  SingleSum sum;
  for (int i = 0; i < p; ++i) {
    const float s = static_cast<float>(static_cast<double>(x[i]) + y[i]);
    if (s > 0) sum.add(std::fabs(static_cast<double>(x[i]) - y[i]) / s);
  }
  return sum.value;
}

float brayCurtis(const float* x, const float* y, int p) {
  SingleSum num, den;
  for (int i = 0; i < p; ++i) {
    num.add(std::fabs(static_cast<double>(x[i]) - y[i]));
    den.add(static_cast<double>(x[i]) + y[i]);
  }
  return den.value == 0 ? 0.0f : static_cast<float>(static_cast<double>(num.value) / den.value);
}

// Measures built on the shares x/A and y/B: 4, 8, 9 and 10.
float shares(const float* x, const float* y, int p, int pref) {
  float a, b;
  totals(x, y, p, a, b);
  SingleSum sum;
  if (a != 0 && b != 0) {
    for (int i = 0; i < p; ++i) {
      const double sx = static_cast<double>(x[i]) / a;
      const double sy = static_cast<double>(y[i]) / b;
      const double pairSum = static_cast<double>(x[i]) + y[i];
      switch (pref) {
        case 4:
          sum.add(std::fabs(sx - sy));
          break;
        case 8:
          if (pairSum != 0) sum.add((sx - sy) * (sx - sy) / pairSum);
          break;
        case 9:
          if (pairSum != 0 && static_cast<double>(a) + b != 0) {
            const double weight = 1.0 / (pairSum / (static_cast<double>(a) + b));
            sum.add(weight * (sx - sy) * (sx - sy));
          }
          break;
        default:  // 10
          if (sx >= 0 && sy >= 0) {
            const double d = std::sqrt(sx) - std::sqrt(sy);
            sum.add(d * d);
          }
      }
    }
  }
  if (pref == 4) return static_cast<float>(0.5 * sum.value);
  return rootOf(sum.value);
}

float chord(const float* x, const float* y, int p) {
  SingleSum xy, xx, yy;
  for (int i = 0; i < p; ++i) {
    xy.add(static_cast<double>(x[i]) * y[i]);
    xx.add(static_cast<double>(x[i]) * x[i]);
    yy.add(static_cast<double>(y[i]) * y[i]);
  }
  const double norms = std::sqrt(static_cast<double>(xx.value) * yy.value);
  const double ratio = norms != 0 ? xy.value / norms : 0.0;
  return rootOf(2 * (1 - ratio));
}

float kulczynskiOrRuzicka(const float* x, const float* y, int p, int pref) {
  SingleSum low, high, a, b;
  for (int i = 0; i < p; ++i) {
    low.add(x[i] <= y[i] ? x[i] : y[i]);
    high.add(x[i] < y[i] ? y[i] : x[i]);
    a.add(x[i]);
    b.add(y[i]);
  }
  if (pref == 7) {
    return high.value == 0 ? 1.0f
                           : static_cast<float>(1 - static_cast<double>(low.value) / high.value);
  }
  double share = 0;
  if (a.value != 0) share += static_cast<double>(low.value) / a.value / 2;
  if (b.value != 0) share += static_cast<double>(low.value) / b.value / 2;
  return static_cast<float>(1 - share);
}

float morisitaHorn(const float* x, const float* y, int p) {
  SingleSum xy, xx, yy, a, b;
  for (int i = 0; i < p; ++i) {
    xy.add(static_cast<double>(x[i]) * y[i]);
    xx.add(std::pow(static_cast<double>(x[i]), 2));
    yy.add(std::pow(static_cast<double>(y[i]), 2));
    a.add(x[i]);
    b.add(y[i]);
  }
  double concentration = 0;
  if (a.value != 0) concentration += xx.value / std::pow(static_cast<double>(a.value), 2);
  if (b.value != 0) concentration += yy.value / std::pow(static_cast<double>(b.value), 2);
  const double denominator = concentration * a.value * b.value;
  if (denominator == 0) return 1.0f;
  return static_cast<float>(1 - 2 * static_cast<double>(xy.value) / denominator);
}

}  // namespace

float distance(const float* x, const float* y, int p, int pref) {
  if (pref < 0 || pref > 13) return kUnknownMeasure;
  if (allZero(x, p) && allZero(y, p)) return 0.0f;
  switch (pref) {
    case 0:
    case 1:
    case 11:
    case 12:
      return minkowskiLike(x, y, p, pref);
    case 2:
      return canberra(x, y, p);
    case 3:
      return brayCurtis(x, y, p);
    case 5:
      return chord(x, y, p);
    case 6:
    case 7:
      return kulczynskiOrRuzicka(x, y, p, pref);
    case 13:
      return morisitaHorn(x, y, p);
    default:  // 4, 8, 9, 10
      return shares(x, y, p, pref);
  }
}

float maxdistance(const SomGrid& grid, int c, int r, int n, int pref) {
  float m = -1e37f;
  std::vector<float> first(static_cast<std::size_t>(n > 0 ? n : 0));
  std::vector<float> second(first.size());
  auto copy = [&](std::vector<float>& v, int col, int row) {
    for (int k = 1; k <= n; ++k) v[static_cast<std::size_t>(k - 1)] = grid.weights(col, row, k);
  };
  for (int x = 1; x <= c; ++x) {
    for (int y = 1; y <= r; ++y) {
      const int s = y % 2 == 0 ? 1 : -1;
      copy(first, x, y);
      const int neighbours[6][2] = {{x - 1, y}, {x + 1, y},     {x, y - 1},
                                    {x, y + 1}, {x + s, y - 1}, {x + s, y + 1}};
      for (const auto& nb : neighbours) {
        if (!grid.hasUnit(nb[1], nb[0])) continue;
        copy(second, nb[0], nb[1]);
        const float d = distance(first.data(), second.data(), n, pref);
        if (d > m) m = d;
      }
    }
  }
  return m;
}

}  // namespace map::draw
