#include "kappa/kappa_statistics.h"

#include <cctype>
#include <cmath>

#include "kappa/normal.h"

namespace kappa {

int weightMode(const std::string& text) {
  if (text.empty() || text == "no" || text == "none") return 0;
  if (text == "linear") return 1;
  if (text == "quadratic") return 2;
  return 3;
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

}  // namespace

KappaResult kappaStatistics(
    int k, const std::vector<std::int64_t>& m, std::string& weightsText, double level,
    const std::function<std::vector<double>(const std::string&)>& readWeights) {
  for (char& c : weightsText) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const int mode = weightMode(weightsText);
  const std::size_t kk = static_cast<std::size_t>(k > 0 ? k : 0);
  auto at = [kk](std::size_t i, std::size_t j) { return i * kk + j; };

  std::int64_t total = 0;
  for (std::size_t i = 0; i < kk; ++i) {
    for (std::size_t j = 0; j < kk; ++j) total += m[at(i, j)];
  }
  const double n = static_cast<double>(total);
  std::vector<double> p(kk * kk), r(kk, 0.0), c(kk, 0.0);
  for (std::size_t i = 0; i < kk; ++i) {
    for (std::size_t j = 0; j < kk; ++j) p[at(i, j)] = static_cast<double>(m[at(i, j)]) / n;
  }
  for (std::size_t i = 0; i < kk; ++i) {
    for (std::size_t j = 0; j < kk; ++j) {
      r[i] = r[i] + p[at(i, j)];
      c[j] = c[j] + p[at(i, j)];
    }
  }

  KappaResult result;
  double po = 0, pe = 0;
  std::vector<double> w;
  std::vector<double> wr(kk, 0.0), wc(kk, 0.0);
  if (mode == 0) {
    for (std::size_t i = 0; i < kk; ++i) po = po + p[at(i, i)];
    for (std::size_t i = 0; i < kk; ++i) pe = pe + c[i] * r[i];
  } else {
    if (mode == 3) {
      w = readWeights(weightsText);
    } else {
      w.assign(kk * kk, 0.0);
      const double e = mode;
      for (std::size_t i = 0; i < kk; ++i) {
        for (std::size_t j = 0; j < kk; ++j) {
          const double d = std::fabs(static_cast<double>(i) - static_cast<double>(j));
          w[at(i, j)] = 1 - std::pow(d, e) / std::pow(static_cast<double>(k - 1), e);
        }
      }
    }
    for (std::size_t i = 0; i < kk; ++i) {
      for (std::size_t j = 0; j < kk; ++j) {
        const double wij = w[at(i, j)];
        po = po + wij * p[at(i, j)];
        pe = pe + r[i] * wij * c[j];
        wr[i] = wr[i] + c[j] * wij;
        wc[j] = wc[j] + r[i] * wij;
      }
    }
  }
  const double kappa = (po - pe) / (1 - pe);
  result.kappa = kappa;

  if (mode == 0) {
    double a = 0, b = 0;
    for (std::size_t i = 0; i < kk; ++i) {
      a = a + p[at(i, i)] * square(1 - (c[i] + r[i]) * (1 - kappa));
    }
    for (std::size_t i = 0; i < kk; ++i) {
      for (std::size_t j = 0; j < kk; ++j) {
        if (i != j) b = b + p[at(i, j)] * square(r[i] + c[j]);
      }
    }
    b = square(1 - kappa) * b;
    const double cc = square(kappa - pe * (1 - kappa));
    result.se = std::sqrt((a + b - cc) / (square(1 - pe) * n));
  } else {
    double a = 0;
    for (std::size_t i = 0; i < kk; ++i) {
      for (std::size_t j = 0; j < kk; ++j) {
        a = a + p[at(i, j)] * square(w[at(i, j)] - (wc[j] + wr[i]) * (1 - kappa));
      }
    }
    const double b = square(kappa - pe * (1 - kappa));
    result.se = std::sqrt(a - b) / ((1 - pe) * std::sqrt(n));
  }

  const double q = level + (1 - level) / 2;
  const double z = NormalQuantile(q);
  result.low = kappa - result.se * z;
  result.high = kappa + result.se * z;

  if (mode == 0) {
    double a = 0;
    for (std::size_t i = 0; i < kk; ++i) a = a + c[i] * r[i] * (c[i] + r[i]);
    result.se0 = std::sqrt((square(pe) + pe - a) / (square(1 - pe) * n));
  } else {
    double a = 0;
    for (std::size_t i = 0; i < kk; ++i) {
      for (std::size_t j = 0; j < kk; ++j) {
        a = a + r[i] * c[j] * square(w[at(i, j)] - wr[i] - wc[j]);
      }
    }
    result.se0 = std::sqrt((a - square(pe)) / (square(1 - pe) * n));
  }
  result.pValue = 2 * (1 - NormalCdf(kappa / result.se0));
  return result;
}

}  // namespace kappa
