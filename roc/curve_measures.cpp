#include "roc/curve_measures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace roc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The height of the segment a-b at x (a.fp <= x <= b.fp, a.fp < b.fp).
double tpAlong(const CurvePoint& a, const CurvePoint& b, double x) {
  return a.tp + (b.tp - a.tp) * (x - a.fp) / (b.fp - a.fp);
}

// A rate times a count, as the whole number of records it names when it is
// one but for rounding: (1 - 0.9) x 10 is 0.9999999999999998, and the
// vertical run of the curve at 1 negative must still be reached.
double countAt(double rate, double count) {
  const double x = rate * count;
  const double whole = std::round(x);
  return std::fabs(x - whole) <= 1e-9 * std::max(1.0, whole) ? whole : x;
}

// The sensitivity at the false-positive count x, with "k" (the first point
// past x) found from where it stood for a smaller x.
double sensitivityFrom(const Curve& curve, double x, std::size_t& k) {
  const std::vector<CurvePoint>& points = curve.points;
  if (k > 0 && points[k - 1].fp > x) k = 0;  // x went back: walk again
  while (k < points.size() && points[k].fp <= x) ++k;
  // points[k - 1] is the last point at x or before it: the highest there.
  if (k == points.size()) return 1;
  return tpAlong(points[k - 1], points[k], x) / curve.positives;
}

}  // namespace

double sensitivityAt(const Curve& curve, double specificity) {
  if (curve.points.empty()) return kNaN;
  std::size_t k = 0;
  return sensitivityFrom(curve, countAt(1 - specificity, curve.negatives), k);
}

void sensitivitiesAt(const Curve& curve, const std::vector<double>& specificities, double* out) {
  std::size_t k = 0;
  for (std::size_t i = 0; i < specificities.size(); ++i) {
    out[i] = curve.points.empty()
                 ? kNaN
                 : sensitivityFrom(curve, countAt(1 - specificities[i], curve.negatives), k);
  }
}

double specificityAt(const Curve& curve, double sensitivity) {
  const std::vector<CurvePoint>& points = curve.points;
  if (points.empty()) return kNaN;
  const double y = countAt(sensitivity, curve.positives);
  std::size_t k = 0;  // the first point that reaches y: the lowest FPR there
  while (k + 1 < points.size() && points[k].tp < y) ++k;
  if (k == 0 || !(points[k].tp > y)) return 1 - points[k].fp / curve.negatives;
  const CurvePoint& a = points[k - 1];
  const CurvePoint& b = points[k];
  return 1 - (a.fp + (b.fp - a.fp) * (y - a.tp) / (b.tp - a.tp)) / curve.negatives;
}

double partialAuc(const Curve& curve, double from, double to) {
  const std::vector<CurvePoint>& points = curve.points;
  if (points.empty()) return kNaN;
  const double left = from * curve.negatives, right = to * curve.negatives;
  double area = 0;  // in counts: positives times negatives
  for (std::size_t k = 1; k < points.size(); ++k) {
    const CurvePoint& a = points[k - 1];
    const CurvePoint& b = points[k];
    const double x0 = a.fp < left ? left : a.fp;
    const double x1 = b.fp > right ? right : b.fp;
    if (!(x1 > x0)) continue;  // outside the band, or a vertical step
    area += (x1 - x0) * (tpAlong(a, b, x0) + tpAlong(a, b, x1)) / 2;
  }
  return area / (curve.positives * curve.negatives);
}

double mcClishCorrected(double area, double from, double to) {
  const double diagonal = (to * to - from * from) / 2, largest = to - from;
  if (!(area >= diagonal)) return kNaN;
  return (1 + (area - diagonal) / (largest - diagonal)) / 2;
}

}  // namespace roc
