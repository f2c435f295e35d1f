#include "kappa/kappa_details.h"

#include <algorithm>
#include <cmath>

#include "common/normal.h"
#include "common/number_forms.h"

namespace kappa {
namespace {

double square(double x) { return x * x; }

// Cohen's kappa of a 2 x 2 table a b / c d.
double twoByTwoKappa(double a, double b, double c, double d) {
  const double n = a + b + c + d;
  const double po = (a + d) / n;
  const double pe = ((a + b) * (a + c) + (c + d) * (b + d)) / (n * n);
  return (po - pe) / (1 - pe);
}

}  // namespace

KappaDetails kappaDetails(int k, const std::vector<std::int64_t>& m, const KappaResult& r,
                          double level, bool weighted) {
  KappaDetails d;
  const auto kk = static_cast<std::size_t>(std::max(k, 0));
  auto at = [&](std::size_t i, std::size_t j) { return static_cast<double>(m[i * kk + j]); };
  double n = 0;
  for (std::size_t i = 0; i < kk * kk; ++i) n += static_cast<double>(m[i]);
  std::vector<double> row(kk, 0.0), col(kk, 0.0);
  double diagonal = 0;
  for (std::size_t i = 0; i < kk; ++i) {
    for (std::size_t j = 0; j < kk; ++j) {
      row[i] += at(i, j) / n;
      col[j] += at(i, j) / n;
    }
    diagonal += at(i, i) / n;
  }
  double pe = 0, poMax = 0;
  for (std::size_t i = 0; i < kk; ++i) {
    pe += row[i] * col[i];
    poMax += std::min(row[i], col[i]);
  }
  d.po = r.po;
  d.pe = r.pe;
  d.kappaMax = (poMax - pe) / (1 - pe);
  d.pabak = (k * diagonal - 1) / (k - 1);
  if (k == 2) {
    d.prevalence = std::fabs(at(0, 0) - at(1, 1)) / n;
    d.bias = std::fabs(at(0, 1) - at(1, 0)) / n;
  } else {
    d.prevalence = d.bias = std::nan("");
  }
  d.z = r.kappa / r.se0;
  d.pValue = std::erfc(std::fabs(d.z) / std::sqrt(2.0));
  if (weighted) {
    d.textbookSe = r.se;
  } else {
    const double kappa = r.kappa;
    double a = 0, b = 0;
    for (std::size_t i = 0; i < kk; ++i) {
      a += at(i, i) / n * square(1 - (row[i] + col[i]) * (1 - kappa));
      for (std::size_t j = 0; j < kk; ++j) {
        if (i != j) b += at(i, j) / n * square(col[i] + row[j]);
      }
    }
    b *= square(1 - kappa);
    const double c = square(kappa - pe * (1 - kappa));
    d.textbookSe = std::sqrt((a + b - c) / (square(1 - pe) * n));
  }
  const double z = common::NormalQuantile(level + (1 - level) / 2);
  d.textbookLow = r.kappa - z * d.textbookSe;
  d.textbookHigh = r.kappa + z * d.textbookSe;
  for (std::size_t i = 0; i < kk; ++i) {
    const double both = at(i, i);
    const double rowOnly = row[i] * n - both, colOnly = col[i] * n - both;
    d.categoryKappa.push_back(twoByTwoKappa(both, rowOnly, colOnly, n - both - rowOnly - colOnly));
  }
  return d;
}

std::string detailsText(const KappaDetails& d, const KappaResult& r, int k) {
  std::string out;
  auto line = [&out](const std::string& name, double value) {
    out += name + "\t" + common::consoleDouble(value) + "\n";
  };
  line("po", d.po);
  line("pe", d.pe);
  line("kappa_max", d.kappaMax);
  line("pabak", d.pabak);
  if (k == 2) {
    line("prevalence_index", d.prevalence);
    line("bias_index", d.bias);
  }
  line("se", r.se);
  line("se0", r.se0);
  line("z", d.z);
  line("p_value", d.pValue);
  line("se_fleiss_cohen_everitt", d.textbookSe);
  line("low_fleiss_cohen_everitt", d.textbookLow);
  line("high_fleiss_cohen_everitt", d.textbookHigh);
  for (std::size_t i = 0; i < d.categoryKappa.size(); ++i) {
    line("kappa_category_" + std::to_string(i + 1), d.categoryKappa[i]);
  }
  return out;
}

}  // namespace kappa
