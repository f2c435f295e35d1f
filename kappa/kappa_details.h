// kappatest's --details: the quantities behind kappa that other tools print,
// so that a user comparing numbers sees where they come from.
#ifndef KAPPA_KAPPA_DETAILS_H_
#define KAPPA_KAPPA_DETAILS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "kappa/kappa_statistics.h"

namespace kappa {

struct KappaDetails {
  double po = 0, pe = 0;  // observed and chance agreement, as the test used them
  double kappaMax = 0;    // the largest kappa the marginals allow (unweighted)
  double pabak = 0;       // (k po - 1) / (k - 1), unweighted po
  double prevalence = 0;  // 2 x 2 only: |p11 - p22|
  double bias = 0;        // 2 x 2 only: |p12 - p21|
  double z = 0;           // kappa / SE0
  // The two-sided p-value of z taken from the normal tail itself,
  // erfc(|z| / sqrt 2): in full where 1 - Phi(|z|) loses its digits or
  // reaches 0.
  double pValue = 0;
  // The large-sample SE of Fleiss, Cohen and Everitt (1969) as textbooks and
  // other tools compute it (cell (i, j) paired with column share i and row
  // share j), and the interval from it; the same as the test's for weights.
  double textbookSe = 0, textbookLow = 0, textbookHigh = 0;
  std::vector<double> categoryKappa;  // category i against all others, unweighted
};

// The details of the k x k matrix m (row-major) whose statistics are "r",
// at confidence "level"; "weighted" when the test used weights.
KappaDetails kappaDetails(int k, const std::vector<std::int64_t>& m, const KappaResult& r,
                          double level, bool weighted);

// The details as "name<TAB>value" lines, numbers in the console form.
std::string detailsText(const KappaDetails& d, const KappaResult& r, int k);

}  // namespace kappa

#endif  // KAPPA_KAPPA_DETAILS_H_
