#include "som/initial_codebook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace som {
namespace {

// Objects on a plane of "d" dimensions: mean + a u + b w, u and w
// orthonormal, a spread 3 times as wide as b.  The codebook must lie on
// that plane, centred on the mean, its first component (along the map's
// longer side) u up to sign, each side reaching two standard deviations.
TEST(InitialCodebookTest, PrincipalPlaneOfDenseAndWideTables) {
  for (int d : {3, 40, 700}) {
    SCOPED_TRACE(d);
    std::mt19937 generator(d);
    std::normal_distribution<double> normal(0, 1);
    std::vector<double> u(d, 0), w(d, 0), mean(d);
    for (int k = 0; k < d; ++k) mean[k] = 10 + k % 7;
    // u and w: two disjoint halves of the axes, each normalized.
    for (int k = 0; k < d; ++k) (k % 2 == 0 ? u : w)[k] = 1 + k % 3;
    for (auto* v : {&u, &w}) {
      double norm = 0;
      for (double x : *v) norm += x * x;
      for (double& x : *v) x /= std::sqrt(norm);
    }
    const int n = 400;
    std::vector<double> values(static_cast<std::size_t>(n) * d);
    std::vector<double> a(n), b(n);
    double aMean = 0, bMean = 0;
    for (int i = 0; i < n; ++i) {
      a[i] = 3 * normal(generator);
      b[i] = normal(generator);
      aMean += a[i] / n;
      bMean += b[i] / n;
    }
    double aSquares = 0;
    for (int i = 0; i < n; ++i) {
      aSquares += (a[i] - aMean) * (a[i] - aMean);
      for (int k = 0; k < d; ++k) values[i * d + k] = mean[k] + a[i] * u[k] + b[i] * w[k];
    }
    const int rows = 4, cols = 7;
    const std::vector<double> codebook = principalPlaneCodebook(values, d, rows, cols);
    ASSERT_EQ(codebook.size(), static_cast<std::size_t>(rows * cols * d));
    std::vector<double> centre(d, 0);
    for (int k = 0; k < d; ++k) centre[k] = mean[k] + aMean * u[k] + bMean * w[k];
    double largestAlongU = 0;
    for (int unit = 0; unit < rows * cols; ++unit) {
      double alongU = 0, alongW = 0;
      for (int k = 0; k < d; ++k) {
        alongU += (codebook[unit * d + k] - centre[k]) * u[k];
        alongW += (codebook[unit * d + k] - centre[k]) * w[k];
      }
      double residual = 0;
      for (int k = 0; k < d; ++k) {
        const double off = codebook[unit * d + k] - centre[k] - alongU * u[k] - alongW * w[k];
        residual += off * off;
      }
      EXPECT_LT(std::sqrt(residual), 1e-6) << "unit " << unit;
      largestAlongU = std::max(largestAlongU, std::abs(alongU));
    }
    // a and b are not quite uncorrelated in the sample: the first component
    // leans from u by a little.
    const double twoSd = 2 * std::sqrt(aSquares / (n - 1));
    EXPECT_NEAR(largestAlongU, twoSd, 0.02 * twoSd);
  }
}

}  // namespace
}  // namespace som
