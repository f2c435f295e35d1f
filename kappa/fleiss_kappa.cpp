#include "kappa/fleiss_kappa.h"

#include <cmath>

namespace kappa {

FleissResult fleissKappa(const std::vector<std::int64_t>& counts, std::size_t subjects,
                         std::size_t categories) {
  const auto at = [&](std::size_t i, std::size_t j) {
    return static_cast<double>(counts[i * categories + j]);
  };
  double n = 0;  // raters per subject
  for (std::size_t j = 0; subjects > 0 && j < categories; ++j) n += at(0, j);
  const double big = static_cast<double>(subjects) * n * (n - 1);  // N n (n - 1)
  std::vector<double> share(categories, 0.0), disagreement(categories, 0.0);
  double agreeing = 0;  // sum over subjects and categories of n_ij (n_ij - 1)
  for (std::size_t i = 0; i < subjects; ++i) {
    for (std::size_t j = 0; j < categories; ++j) {
      share[j] += at(i, j);
      agreeing += at(i, j) * (at(i, j) - 1);
      disagreement[j] += at(i, j) * (n - at(i, j));
    }
  }
  double pe = 0, spread = 0, skew = 0;  // sum p_j^2, sum p_j q_j, sum p_j q_j (q_j - p_j)
  FleissResult r;
  for (std::size_t j = 0; j < categories; ++j) {
    const double p = share[j] / (static_cast<double>(subjects) * n), q = 1 - p;
    pe += p * p;
    spread += p * q;
    skew += p * q * (q - p);
    r.categoryKappa.push_back(1 - disagreement[j] / (big * p * q));
  }
  r.kappa = (agreeing / big - pe) / (1 - pe);
  r.se0 = std::sqrt(2 / big) * std::sqrt(spread * spread - skew) / spread;
  r.z = r.kappa / r.se0;
  r.pValue = std::erfc(std::fabs(r.z) / std::sqrt(2.0));
  return r;
}

}  // namespace kappa
