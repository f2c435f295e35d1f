// The exact empirical ROC curve, as the AUC counts it: one vertex per
// distinct score.
//
// The scores are taken in decreasing order; each distinct score t adds the
// vertex (FPR, TPR) of the rule "positive when the score is at least t", so
// the curve runs from (0, 0) to (1, 1).  A score held only by positives
// makes a vertical step, one held only by negatives a horizontal one, and a
// score tied across both classes a slanted segment: the trapezoids under
// these vertices add up to the Mann-Whitney AUC, ties counting one half.
#ifndef ROC_EMPIRICAL_CURVE_H_
#define ROC_EMPIRICAL_CURVE_H_

#include <vector>

#include "roc/exact_auc.h"

namespace roc {

// A vertex of the curve: the false-positive rate (1 - specificity) and the
// true-positive rate (sensitivity).
struct RatePoint {
  double fpr = 0, tpr = 0;
  bool operator==(const RatePoint&) const = default;
};

// The vertices of the empirical curve of "scores" (records of class 1
// positive, class 0 negative; scores that are not numbers are already left
// out there): (0, 0), then one vertex per distinct score from the highest
// down, the last (1, 1).  Empty without positives or without negatives,
// where the rates are not defined.  O(n log n) at most (the sort is linear).
std::vector<RatePoint> empiricalCurve(const ClassScores& scores);

// The same from the positives' and negatives' scores already sorted
// increasing (sortedScores).
std::vector<RatePoint> empiricalCurveOfSorted(const std::vector<double>& positives,
                                              const std::vector<double>& negatives);

// The area under the polyline through "vertices" (in increasing FPR), by
// trapezoids; 0 for fewer than two vertices.
double trapezoidArea(const std::vector<RatePoint>& vertices);

}  // namespace roc

#endif  // ROC_EMPIRICAL_CURVE_H_
