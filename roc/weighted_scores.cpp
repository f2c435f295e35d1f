#include "roc/weighted_scores.h"

#include <limits>

namespace roc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool bothClasses(const WeightedScores& s) { return s.positiveTotal > 0 && s.negativeTotal > 0; }

}  // namespace

WeightedScores weightedScores(const std::vector<double>& p, const std::vector<double>& q) {
  WeightedScores s;
  std::size_t i = 0, k = 0;
  while (i < p.size() || k < q.size()) {
    const double v = k == q.size() || (i < p.size() && p[i] < q[k]) ? p[i] : q[k];
    std::uint32_t cp = 0, cn = 0;
    for (; i < p.size() && p[i] == v; ++i) ++cp;
    for (; k < q.size() && q[k] == v; ++k) ++cn;
    s.value.push_back(v);
    s.positives.push_back(cp);
    s.negatives.push_back(cn);
  }
  s.positiveTotal = static_cast<double>(p.size());
  s.negativeTotal = static_cast<double>(q.size());
  return s;
}

CurveSummary summarize(const WeightedScores& s, Curve* curve) {
  const double m = s.positiveTotal, n = s.negativeTotal;
  if (!bothClasses(s)) {
    if (curve != nullptr) curve->points.clear();
    return {kNaN, kNaN};
  }
  const std::size_t groups = s.value.size();
  CurvePoint* points = nullptr;
  if (curve != nullptr) {
    curve->points.resize(groups + 1);
    curve->positives = m;
    curve->negatives = n;
    points = curve->points.data();
    points[0] = {0, 0};
  }
  // Down the distinct scores: "tp" and "fp" count the records above.  The
  // pair count is taken twice, in whole numbers (exact to 2^53), and so is
  // J, as m n J = tp n - fp m: equal Js compare equal.
  double tp = 0, fp = 0, twice = 0, bestJ = -std::numeric_limits<double>::infinity();
  std::size_t bestLowest = 0;  // the lowest distinct score classed positive at the best cut
  for (std::size_t g = groups; g-- > 0;) {
    const double p = s.positives[g], q = s.negatives[g];
    twice += q * (2 * tp + p);
    tp += p;
    fp += q;
    const double j = tp * n - fp * m;
    if (j > bestJ) bestJ = j, bestLowest = g;
    if (points != nullptr) points[groups - g] = {fp, tp};
  }
  CurveSummary out{twice / (2 * m * n), -std::numeric_limits<double>::infinity()};
  for (std::size_t g = bestLowest; g-- > 0;) {
    if (s.positives[g] != 0 || s.negatives[g] != 0) {
      out.youdenThreshold = s.value[g];
      break;
    }
  }
  return out;
}

}  // namespace roc
