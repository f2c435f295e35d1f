#include "som/initial_codebook.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "map/draw/lattice.h"

namespace som {

namespace {

using Matrix = std::vector<double>;  // d x d, row-major
// out = A v for the symmetric matrix A whose leading eigenvector is sought.
using Product = std::function<void(const std::vector<double>& v, std::vector<double>& out)>;

// Up to this many variables the covariance matrix is formed; beyond, its
// products are taken from the data, in memory of a few rows.
constexpr int kMostDenseVariables = 512;

std::vector<double> columnMeans(const std::vector<double>& values, int d) {
  const std::size_t n = values.size() / d;
  std::vector<double> mean(d, 0);
  for (std::size_t i = 0; i < n; ++i) {
    for (int k = 0; k < d; ++k) mean[k] += values[i * d + k];
  }
  for (double& m : mean) m /= static_cast<double>(n);
  return mean;
}

double covarianceDivisor(std::size_t n) { return n > 1 ? static_cast<double>(n - 1) : 1; }

Matrix covariance(const std::vector<double>& values, int d, const std::vector<double>& mean) {
  const std::size_t n = values.size() / d;
  Matrix c(static_cast<std::size_t>(d) * d, 0);
  std::vector<double> centred(d);
  for (std::size_t i = 0; i < n; ++i) {
    for (int k = 0; k < d; ++k) centred[k] = values[i * d + k] - mean[k];
    for (int a = 0; a < d; ++a) {
      for (int b = a; b < d; ++b) c[a * d + b] += centred[a] * centred[b];
    }
  }
  const double divisor = covarianceDivisor(n);
  for (int a = 0; a < d; ++a) {
    for (int b = a; b < d; ++b) c[b * d + a] = c[a * d + b] /= divisor;
  }
  return c;
}

// The product with the covariance matrix taken from the data: the sum over
// objects, in order, of c_i (c_i . v), c_i the centred object.
Product dataProduct(const std::vector<double>& values, int d, const std::vector<double>& mean) {
  return [&values, d, &mean](const std::vector<double>& v, std::vector<double>& out) {
    const std::size_t n = values.size() / d;
    std::fill(out.begin(), out.end(), 0);
    for (std::size_t i = 0; i < n; ++i) {
      double along = 0;
      for (int k = 0; k < d; ++k) along += (values[i * d + k] - mean[k]) * v[k];
      for (int k = 0; k < d; ++k) out[k] += (values[i * d + k] - mean[k]) * along;
    }
    const double divisor = covarianceDivisor(n);
    for (double& o : out) o /= divisor;
  };
}

// The leading eigenvector (unit length, or all zeros when the matrix is
// zero) of the matrix whose products "product" gives, and its eigenvalue,
// by at most "iterations" steps of power iteration from a fixed start.
std::vector<double> leadingComponent(const Product& product, int d, int iterations,
                                     double& eigenvalue) {
  std::vector<double> v(d), next(d);
  for (int k = 0; k < d; ++k) v[k] = 1 + static_cast<double>(k) / d;
  eigenvalue = 0;
  for (int iteration = 0; iteration < iterations; ++iteration) {
    product(v, next);
    double norm = 0;
    for (int a = 0; a < d; ++a) norm += next[a] * next[a];
    norm = std::sqrt(norm);
    if (!(norm > 0)) return std::vector<double>(d, 0);
    double change = 0;
    for (int a = 0; a < d; ++a) {
      next[a] /= norm;
      change = std::max(change, std::abs(next[a] - v[a]));
    }
    v.swap(next);
    eigenvalue = norm;
    if (change < 1e-13) break;
  }
  return v;
}

}  // namespace

std::vector<double> principalPlaneCodebook(const std::vector<double>& values, int nVars, int rows,
                                           int cols) {
  const int d = nVars;
  const std::vector<double> mean = columnMeans(values, d);
  Product product;
  Matrix c;
  int iterations = 1000;
  if (d <= kMostDenseVariables) {
    c = covariance(values, d, mean);
    product = [&c, d](const std::vector<double>& v, std::vector<double>& out) {
      for (int a = 0; a < d; ++a) {
        double s = 0;
        for (int b = 0; b < d; ++b) s += c[a * d + b] * v[b];
        out[a] = s;
      }
    };
  } else {
    product = dataProduct(values, d, mean);
    iterations = 100;
  }
  double lambda1 = 0, lambda2 = 0;
  const std::vector<double> e1 = leadingComponent(product, d, iterations, lambda1);
  // The second component: the leading one once the first is taken out.
  const Product deflated = [&](const std::vector<double>& v, std::vector<double>& out) {
    product(v, out);
    double along = 0;
    for (int k = 0; k < d; ++k) along += e1[k] * v[k];
    for (int k = 0; k < d; ++k) out[k] -= lambda1 * e1[k] * along;
  };
  const std::vector<double> e2 = leadingComponent(deflated, d, iterations, lambda2);
  const double spread1 = 2 * std::sqrt(std::max(lambda1, 0.0));
  const double spread2 = 2 * std::sqrt(std::max(lambda2, 0.0));

  // The centres' extent along x (columns) and y (rows).
  const map::draw::MapPoint low{
      std::min(map::draw::hexCentre(1, 1).x, map::draw::hexCentre(rows > 1 ? 2 : 1, 1).x),
      map::draw::hexCentre(1, 1).y};
  const map::draw::MapPoint high{
      std::max(map::draw::hexCentre(1, cols).x, map::draw::hexCentre(rows > 1 ? 2 : 1, cols).x),
      map::draw::hexCentre(rows, 1).y};
  const double halfX = (high.x - low.x) / 2, halfY = (high.y - low.y) / 2;
  const bool xLonger = halfX >= halfY;
  std::vector<double> codebook(static_cast<std::size_t>(rows) * cols * d);
  for (int row = 1; row <= rows; ++row) {
    for (int col = 1; col <= cols; ++col) {
      const map::draw::MapPoint p = map::draw::hexCentre(row, col);
      const double u = halfX > 0 ? (p.x - (low.x + halfX)) / halfX : 0;
      const double v = halfY > 0 ? (p.y - (low.y + halfY)) / halfY : 0;
      const double along1 = (xLonger ? u : v) * spread1;
      const double along2 = (xLonger ? v : u) * spread2;
      double* w = &codebook[(static_cast<std::size_t>(row - 1) * cols + col - 1) * d];
      for (int k = 0; k < d; ++k) w[k] = mean[k] + along1 * e1[k] + along2 * e2[k];
    }
  }
  return codebook;
}

std::vector<double> randomObjectCodebook(const std::vector<double>& values, int nVars, int rows,
                                         int cols, std::uint64_t seed) {
  const std::size_t n = values.size() / nVars;
  std::mt19937_64 generator(seed);
  const std::size_t units = static_cast<std::size_t>(rows) * cols;
  std::vector<double> codebook(units * nVars);
  for (std::size_t unit = 0; unit < units; ++unit) {
    const std::size_t object = generator() % n;
    std::copy_n(&values[object * nVars], nVars, &codebook[unit * nVars]);
  }
  return codebook;
}

}  // namespace som
