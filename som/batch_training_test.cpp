#include "som/batch_training.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <random>

#include "map/draw/lattice.h"
#include "som/initial_codebook.h"

namespace som {
namespace {

// The batch SOM written loop by loop from its definition, for a map of
// rows x cols units numbered row by row.
class LiteralSom {
 public:
  LiteralSom(const std::vector<double>& x, int d, int rows, int cols)
      : x_(x), d_(d), rows_(rows), cols_(cols), steps_(rows * cols * rows * cols) {
    for (int from = 0; from < rows * cols; ++from) walkFrom(from);
  }

  // Fewest steps across hexagon sides, walking inside the map.
  void walkFrom(int from) {
    std::vector<int> seen(rows_ * cols_, -1);
    std::deque<int> queue{from};
    seen[from] = 0;
    while (!queue.empty()) {
      const int u = queue.front();
      queue.pop_front();
      for (int side = 1; side <= 6; ++side) {
        const auto n = map::draw::neighbourAcross(side, u / cols_ + 1, u % cols_ + 1);
        if (n.row < 1 || n.row > rows_ || n.col < 1 || n.col > cols_) continue;
        const int v = (n.row - 1) * cols_ + n.col - 1;
        if (seen[v] < 0) {
          seen[v] = seen[u] + 1;
          queue.push_back(v);
        }
      }
    }
    for (int to = 0; to < rows_ * cols_; ++to) steps_[from * rows_ * cols_ + to] = seen[to];
  }

  int steps(int a, int b) const { return steps_[a * rows_ * cols_ + b]; }

  // The nearest unit, the first of a tie.
  int bestUnit(std::size_t i, const std::vector<double>& w) const {
    int best = 0;
    double bestDistance = INFINITY;
    for (int u = 0; u < rows_ * cols_; ++u) {
      double s = 0;
      for (int k = 0; k < d_; ++k)
        s += (x_[i * d_ + k] - w[u * d_ + k]) * (x_[i * d_ + k] - w[u * d_ + k]);
      if (s < bestDistance) {
        bestDistance = s;
        best = u;
      }
    }
    return best;
  }

  std::vector<double> epoch(const std::vector<double>& w, double radius) const {
    const std::size_t n = x_.size() / d_;
    std::vector<int> best(n);
    for (std::size_t i = 0; i < n; ++i) best[i] = bestUnit(i, w);
    std::vector<double> next(w.size());
    for (int j = 0; j < rows_ * cols_; ++j) {
      double den = 0;
      std::vector<double> num(d_, 0);
      for (std::size_t i = 0; i < n; ++i) {
        const double s = steps(j, best[i]);
        const double h = std::exp(-s * s / (2 * radius * radius));
        den += h;
        for (int k = 0; k < d_; ++k) num[k] += h * x_[i * d_ + k];
      }
      for (int k = 0; k < d_; ++k) next[j * d_ + k] = num[k] / den;
    }
    return next;
  }

 private:
  const std::vector<double>& x_;
  int d_, rows_, cols_;
  std::vector<int> steps_;
};

// Objects around three separated cluster centres, or whole numbers 0..2
// (many exact ties) when "ties", all moved by "offset" (far from 0, the
// single-precision estimates lose most of their digits).
std::vector<double> drawTable(int n, int d, bool ties, double offset, unsigned seed) {
  std::mt19937 generator(seed);
  std::normal_distribution<double> noise(0, 1);
  std::vector<double> x(static_cast<std::size_t>(n) * d);
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < d; ++k) {
      x[i * d + k] = offset + (ties ? static_cast<double>(generator() % 3)
                                    : 5.0 * ((i + k) % 3) + noise(generator));
    }
  }
  return x;
}

// The steps and the diameter of maps of every shape up to 9 x 9 against a
// walk inside the map.
TEST(BatchTrainingTest, LatticeStepsAsAWalkInsideTheMap) {
  const std::vector<double> none;
  for (int rows = 1; rows <= 9; ++rows) {
    for (int cols = 1; cols <= 9; ++cols) {
      const LatticeDistance lattice(rows, cols);
      const LiteralSom literal(none, 1, rows, cols);
      int diameter = 0;
      for (int a = 0; a < rows * cols; ++a) {
        for (int b = 0; b < rows * cols; ++b) {
          ASSERT_EQ(lattice.steps(a, b), literal.steps(a, b)) << rows << "x" << cols;
          diameter = std::max(diameter, literal.steps(a, b));
        }
      }
      EXPECT_EQ(lattice.diameter(), diameter) << rows << "x" << cols;
    }
  }
}

TEST(BatchTrainingTest, EveryEpochAsTheLiteralDefinitionOnAnyThreadCount) {
  struct Case {
    int n, d, rows, cols, epochs;
    bool ties, random;
    double offset;
  };
  const Case cases[] = {
      {30, 2, 3, 4, 4, false, false, 0},  {57, 5, 5, 7, 5, false, true, 0},
      {41, 3, 4, 5, 4, true, true, 0},    {9, 1, 1, 6, 3, false, false, 0},
      {23, 21, 6, 3, 3, false, false, 0}, {18, 4, 2, 17, 3, true, false, 0},
      {40, 6, 4, 4, 4, true, true, 1e6},  {35, 3, 3, 5, 4, false, false, -3e7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.n << "x" << c.d << " on " << c.rows << "x" << c.cols);
    const std::vector<double> x = drawTable(c.n, c.d, c.ties, c.offset, c.n * 7 + c.d);
    const LatticeDistance lattice(c.rows, c.cols);
    const LiteralSom literal(x, c.d, c.rows, c.cols);
    const std::vector<double> start = c.random ? randomObjectCodebook(x, c.d, c.rows, c.cols, 5)
                                               : principalPlaneCodebook(x, c.d, c.rows, c.cols);
    TrainingSettings settings;
    settings.epochs = c.epochs;
    settings.radiusStart = 3;
    settings.radiusEnd = 0.5;
    std::vector<std::vector<double>> byThreads[3];
    for (int threads = 1; threads <= 3; ++threads) {
      settings.threads = threads;
      std::vector<double> expected = start;
      const TrainedMap trained =
          trainBatch(x, c.d, lattice, start, settings,
                     [&](const EpochQuality& q, const std::vector<double>& w) {
                       expected = literal.epoch(expected, q.radius);
                       for (std::size_t k = 0; k < w.size(); ++k) {
                         ASSERT_NEAR(w[k], expected[k], 1e-12 * (1 + std::abs(expected[k])))
                             << "epoch " << q.epoch;
                       }
                       byThreads[threads - 1].push_back(w);
                     });
      for (std::size_t i = 0; i < x.size() / c.d; ++i) {
        EXPECT_EQ(trained.best.first[i], literal.bestUnit(i, trained.codebook)) << "object " << i;
      }
    }
    EXPECT_EQ(byThreads[0], byThreads[1]);
    EXPECT_EQ(byThreads[0], byThreads[2]);
  }
}

}  // namespace
}  // namespace som
