#include "som/column_scaling.h"

#include <algorithm>
#include <cmath>

namespace som {

bool parseScaling(const std::string& word, Scaling& scaling) {
  for (Scaling s : {Scaling::kNone, Scaling::kRange, Scaling::kZscore}) {
    if (word == scalingName(s)) {
      scaling = s;
      return true;
    }
  }
  return false;
}

std::string scalingName(Scaling scaling) {
  switch (scaling) {
    case Scaling::kRange:
      return "range";
    case Scaling::kZscore:
      return "zscore";
    default:
      return "none";
  }
}

namespace {

// The shift and the divisor of column "var".
void columnScale(const std::vector<double>& values, int nVars, int var, Scaling scaling,
                 double& shift, double& divisor) {
  const std::size_t n = values.size() / nVars;
  if (scaling == Scaling::kRange) {
    double lo = values[var], hi = values[var];
    for (std::size_t i = 0; i < n; ++i) {
      lo = std::min(lo, values[i * nVars + var]);
      hi = std::max(hi, values[i * nVars + var]);
    }
    shift = lo;
    divisor = hi - lo;
  } else {
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += values[i * nVars + var];
    shift = sum / static_cast<double>(n);
    double squares = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double d = values[i * nVars + var] - shift;
      squares += d * d;
    }
    divisor = n > 1 ? std::sqrt(squares / static_cast<double>(n - 1)) : 0;
  }
  if (!(divisor > 0)) divisor = 1;
}

}  // namespace

void scaleColumns(std::vector<double>& values, int nVars, Scaling scaling) {
  if (scaling == Scaling::kNone || values.empty()) return;
  const std::size_t n = values.size() / nVars;
  for (int var = 0; var < nVars; ++var) {
    double shift = 0, divisor = 1;
    columnScale(values, nVars, var, scaling, shift, divisor);
    for (std::size_t i = 0; i < n; ++i) {
      values[i * nVars + var] = (values[i * nVars + var] - shift) / divisor;
    }
  }
}

}  // namespace som
