// Fleiss' kappa: the agreement of several raters who each put every
// subject in one of k categories, from the table of how many raters chose
// each category for each subject.
#ifndef KAPPA_FLEISS_KAPPA_H_
#define KAPPA_FLEISS_KAPPA_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kappa {

struct FleissResult {
  double kappa = 0;
  // The standard error of kappa when the raters agree only by chance
  // (Fleiss, Nee and Landis 1979), z = kappa / se0 and its two-sided
  // p-value, erfc(|z| / sqrt 2).
  double se0 = 0, z = 0, pValue = 0;
  std::vector<double> categoryKappa;  // category j against all others
};

// Fleiss' kappa of the table "counts" (row-major, "subjects" rows of
// "categories" columns; entry (i, j) the raters who put subject i in
// category j), every row summing to the same number of raters n.  With p_j
// the share of all ratings in category j and q_j = 1 - p_j:
//   P_i = sum_j n_ij (n_ij - 1) / (n (n - 1)), Pbar their mean,
//   Pe = sum_j p_j^2, kappa = (Pbar - Pe) / (1 - Pe);
//   se0 = sqrt(2 / (N n (n - 1))) sqrt((sum p_j q_j)^2 - sum p_j q_j (q_j - p_j))
//         / sum p_j q_j;
//   kappa_j = 1 - sum_i n_ij (n - n_ij) / (N n (n - 1) p_j q_j).
// Degenerate tables (one rater, one category used) give not-a-numbers and
// infinities as IEEE arithmetic does.
FleissResult fleissKappa(const std::vector<std::int64_t>& counts, std::size_t subjects,
                         std::size_t categories);

}  // namespace kappa

#endif  // KAPPA_FLEISS_KAPPA_H_
