#include "roc/sweep.h"

#include <cmath>

namespace roc {

const std::vector<double>& sweepThresholds() {
  static const std::vector<double> thresholds = [] {
    std::vector<double> t;
    // Accumulated, not k * step: the 11th threshold is 0.09999999999999999.
    for (double x = 0.0; x <= 1.0 && static_cast<int>(t.size()) < kLastPoint; x = x + kStep) {
      t.push_back(x);
    }
    return t;
  }();
  return thresholds;
}

int thresholdsExceeded(float score) {
  const std::vector<double>& t = sweepThresholds();
  const int count = static_cast<int>(t.size());
  const double s = static_cast<double>(score);
  if (!(s > t.front())) return 0;  // also NaN
  if (s > t.back()) return count;
  // Thresholds sit near k/100: start there and step to the exact place, where
  // t[j-1] < s <= t[j].
  int j = static_cast<int>(s * 100.0);
  if (j > count - 1) j = count - 1;
  while (j < count && t[j] < s) ++j;
  while (j > 0 && !(t[j - 1] < s)) --j;
  return j;
}

Confusion ScoreHistogram::countsAt(int k) const {
  // Records that exceed more than k thresholds are predicted positive at k.
  std::array<std::int64_t, 3> above{};
  std::array<std::int64_t, 3> rest{};
  for (int b = 0; b <= kLastPoint; ++b) {
    for (int c = 0; c < 3; ++c) (b > k ? above : rest)[c] += counts_[b][c];
  }
  Confusion result;
  result.tp = above[1] + rest[2];
  result.tn = rest[0];
  result.fp = above[0];
  result.fn = rest[1];
  return result;
}

double matthews(const Confusion& c) {
  const double n = static_cast<double>(c.tp + c.fp + c.fn + c.tn);
  const double tp = static_cast<double>(c.tp);
  const double pObs = static_cast<double>(c.fn + c.tp) / n;
  const double pPred = static_cast<double>(c.fp + c.tp) / n;
  return (tp / n - pPred * pObs) / std::sqrt(pPred * pObs * (1 - pObs) * (1 - pPred));
}

RocResult sweep(const ScoreHistogram& histogram) {
  RocResult result;
  const int thresholds = static_cast<int>(sweepThresholds().size());
  for (int k = 0; k < thresholds; ++k) {
    const Confusion c = histogram.countsAt(k);
    // Quotients of the counts, rounded to single when stored; 0/0 is NaN.
    result.tpr[k] =
        static_cast<float>(static_cast<double>(c.tp) / static_cast<double>(c.fn + c.tp));
    result.fpr[k] =
        static_cast<float>(static_cast<double>(c.fp) / static_cast<double>(c.fp + c.tn));
    const double d =
        std::fabs(static_cast<double>(result.tpr[k]) - static_cast<double>(result.fpr[k])) / kSqrt2;
    if (d > result.dmax) {  // strictly: the lowest threshold keeps a tie; NaN never wins
      result.dmax = d;
      result.kbest = k;
      result.best = c;
      result.matthews = matthews(c);
    }
  }
  return result;
}

float areaUnderCurve(const RocResult& r) {
  float auc = 0.0f;
  for (int i = kLastPoint - 1; i >= 0; --i) {
    const double term = (static_cast<double>(r.fpr[i]) - static_cast<double>(r.fpr[i + 1])) *
                        (static_cast<double>(r.tpr[i + 1]) + static_cast<double>(r.tpr[i])) / 2;
    auc = static_cast<float>(static_cast<double>(auc) + term);
  }
  const double closing =
      (1 - static_cast<double>(r.fpr[0])) * (static_cast<double>(r.tpr[0]) + 1) / 2;
  return static_cast<float>(static_cast<double>(auc) + closing);
}

}  // namespace roc
