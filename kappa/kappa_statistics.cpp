#include "kappa/kappa_statistics.h"

#include <cctype>
#include <cmath>

#include "common/normal.h"

namespace kappa {

using common::NormalCdf;
using common::NormalQuantile;

WeightMode weightMode(const std::string& text) {
  if (text.empty() || text == "no" || text == "none") return WeightMode::kNone;
  if (text == "linear") return WeightMode::kLinear;
  if (text == "quadratic") return WeightMode::kQuadratic;
  return WeightMode::kFile;
}

std::string_view agreementWord(double kappa) {
  if (kappa > 0.8) return "excellent";
  if (kappa > 0.6) return "good";
  if (kappa > 0.4) return "moderate";
  if (kappa > 0.2) return "poor";
  if (kappa >= 0) return "bad";
  return "very bad";
}

namespace {

double square(double x) { return x * x; }

// The k x k table of shares, its marginals and, for a weighted test, the
// weights and their marginals.  Every sum runs over i outside and j inside.
struct Table {
  std::size_t k = 0;
  double n = 0;           // the number of cases
  std::vector<double> p;  // p[i][j] = M[i][j] / N, row-major
  std::vector<double> r;  // row shares
  std::vector<double> c;  // column shares
  bool weighted = false;
  std::vector<double> w;   // weights, row-major (weighted only)
  std::vector<double> wr;  // wr[i] = sum over j of c[j] w[i][j]
  std::vector<double> wc;  // wc[j] = sum over i of r[i] w[i][j]
  double po = 0, pe = 0;   // observed and chance agreement
  std::size_t at(std::size_t i, std::size_t j) const { return i * k + j; }
};

Table marginals(int k, const std::vector<std::int64_t>& m) {
  Table t;
  t.k = static_cast<std::size_t>(k > 0 ? k : 0);
  // The counts' whole sum, exact however large they are: a hundred million
  // cells near the largest count the reader keeps still fit 128 bits.
  __int128 total = 0;
  for (std::size_t i = 0; i < t.k; ++i) {
    for (std::size_t j = 0; j < t.k; ++j) total += m[t.at(i, j)];
  }
  t.n = static_cast<double>(total);
  t.p.assign(t.k * t.k, 0.0);
  t.r.assign(t.k, 0.0);
  t.c.assign(t.k, 0.0);
  for (std::size_t i = 0; i < t.k; ++i) {
    for (std::size_t j = 0; j < t.k; ++j)
      t.p[t.at(i, j)] = static_cast<double>(m[t.at(i, j)]) / t.n;
  }
  for (std::size_t i = 0; i < t.k; ++i) {
    for (std::size_t j = 0; j < t.k; ++j) {
      t.r[i] = t.r[i] + t.p[t.at(i, j)];
      t.c[j] = t.c[j] + t.p[t.at(i, j)];
    }
  }
  return t;
}

std::vector<double> powerWeights(std::size_t kk, int k, double e) {
  std::vector<double> w(kk * kk, 0.0);
  for (std::size_t i = 0; i < kk; ++i) {
    for (std::size_t j = 0; j < kk; ++j) {
      const double d = std::fabs(static_cast<double>(i) - static_cast<double>(j));
      w[i * kk + j] = 1 - std::pow(d, e) / std::pow(static_cast<double>(k - 1), e);
    }
  }
  return w;
}

// po and pe, and for a weighted test wr and wc.
void agreement(Table& t) {
  if (!t.weighted) {
    for (std::size_t i = 0; i < t.k; ++i) t.po = t.po + t.p[t.at(i, i)];
    for (std::size_t i = 0; i < t.k; ++i) t.pe = t.pe + t.c[i] * t.r[i];
    return;
  }
  t.wr.assign(t.k, 0.0);
  t.wc.assign(t.k, 0.0);
  for (std::size_t i = 0; i < t.k; ++i) {
    for (std::size_t j = 0; j < t.k; ++j) {
      const double wij = t.w[t.at(i, j)];
      t.po = t.po + wij * t.p[t.at(i, j)];
      t.pe = t.pe + t.r[i] * wij * t.c[j];
      t.wr[i] = t.wr[i] + t.c[j] * wij;
      t.wc[j] = t.wc[j] + t.r[i] * wij;
    }
  }
}

// The standard error of kappa, for its confidence interval.
double standardError(const Table& t, double kappa) {
  if (!t.weighted) {
    double a = 0, b = 0;
    for (std::size_t i = 0; i < t.k; ++i) {
      a = a + t.p[t.at(i, i)] * square(1 - (t.c[i] + t.r[i]) * (1 - kappa));
    }
    for (std::size_t i = 0; i < t.k; ++i) {
      for (std::size_t j = 0; j < t.k; ++j) {
        if (i != j) b = b + t.p[t.at(i, j)] * square(t.r[i] + t.c[j]);
      }
    }
    b = square(1 - kappa) * b;
    const double cc = square(kappa - t.pe * (1 - kappa));
    return std::sqrt((a + b - cc) / (square(1 - t.pe) * t.n));
  }
  double a = 0;
  for (std::size_t i = 0; i < t.k; ++i) {
    for (std::size_t j = 0; j < t.k; ++j) {
      a = a + t.p[t.at(i, j)] * square(t.w[t.at(i, j)] - (t.wc[j] + t.wr[i]) * (1 - kappa));
    }
  }
  const double b = square(kappa - t.pe * (1 - kappa));
  return std::sqrt(a - b) / ((1 - t.pe) * std::sqrt(t.n));
}

// The standard error of kappa when the classifiers agree only by chance.
double nullStandardError(const Table& t) {
  double a = 0;
  if (!t.weighted) {
    for (std::size_t i = 0; i < t.k; ++i) a = a + t.c[i] * t.r[i] * (t.c[i] + t.r[i]);
    return std::sqrt((square(t.pe) + t.pe - a) / (square(1 - t.pe) * t.n));
  }
  for (std::size_t i = 0; i < t.k; ++i) {
    for (std::size_t j = 0; j < t.k; ++j) {
      a = a + t.r[i] * t.c[j] * square(t.w[t.at(i, j)] - t.wr[i] - t.wc[j]);
    }
  }
  return std::sqrt((a - square(t.pe)) / (square(1 - t.pe) * t.n));
}

}  // namespace

KappaResult kappaStatistics(
    int k, const std::vector<std::int64_t>& m, std::string& weightsText, double level,
    const std::function<std::vector<double>(const std::string&)>& readWeights) {
  for (char& c : weightsText) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const WeightMode mode = weightMode(weightsText);
  Table t = marginals(k, m);
  t.weighted = mode != WeightMode::kNone;
  if (mode == WeightMode::kFile) {
    t.w = readWeights(weightsText);
  } else if (t.weighted) {
    t.w = powerWeights(t.k, k, static_cast<double>(mode));
  }
  agreement(t);

  KappaResult result;
  result.kappa = (t.po - t.pe) / (1 - t.pe);
  result.se = standardError(t, result.kappa);
  const double z = NormalQuantile(level + (1 - level) / 2);
  result.low = result.kappa - result.se * z;
  result.high = result.kappa + result.se * z;
  result.se0 = nullStandardError(t);
  // Two-sided for either sign: a kappa below 0 (agreement worse than chance)
  // is as far from the null as the same kappa above it.
  result.pValue = 2 * (1 - NormalCdf(std::fabs(result.kappa) / result.se0));
  result.po = t.po;
  result.pe = t.pe;
  return result;
}

}  // namespace kappa
