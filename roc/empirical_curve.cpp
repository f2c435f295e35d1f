#include "roc/empirical_curve.h"

#include "roc/side_by_side.h"
#include "roc/weighted_scores.h"

namespace roc {

std::vector<RatePoint> empiricalCurve(const ClassScores& scores) {
  std::vector<double> p, q;
  sideBySide([&] { q = sortedScores(scores.negatives); },
             [&] { p = sortedScores(scores.positives); });
  return empiricalCurveOfSorted(p, q);
}

std::vector<RatePoint> empiricalCurveOfSorted(const std::vector<double>& positives,
                                              const std::vector<double>& negatives) {
  // The counts over the distinct scores give the polyline in counts, one
  // point per distinct score; every distinct score holds a record here, so
  // no point repeats.
  Curve counts;
  summarize(weightedScores(positives, negatives), &counts);
  std::vector<RatePoint> vertices;
  vertices.reserve(counts.points.size());
  for (const CurvePoint& point : counts.points) {
    vertices.push_back({point.fp / counts.negatives, point.tp / counts.positives});
  }
  return vertices;
}

double trapezoidArea(const std::vector<RatePoint>& vertices) {
  double area = 0;
  for (std::size_t k = 1; k < vertices.size(); ++k) {
    const RatePoint& a = vertices[k - 1];
    const RatePoint& b = vertices[k];
    area += (b.fpr - a.fpr) * (a.tpr + b.tpr) / 2;
  }
  return area;
}

}  // namespace roc
