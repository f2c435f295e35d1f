// A sample of scores as counts over its distinct values: what the bootstrap
// resamples (each resample gives every record a count, so no re-sort is ever
// needed), and the curve, AUC and Youden cut of such a sample.
//
// The curve is the empirical ROC polyline: from (0, 0), one point per
// distinct score taken in decreasing order, each point the rates of the rule
// "positive when the score is at least this one"; tied scores thus give a
// slanted segment, as the Mann-Whitney AUC counts a tie one half.
#ifndef ROC_WEIGHTED_SCORES_H_
#define ROC_WEIGHTED_SCORES_H_

#include <cstdint>
#include <vector>

namespace roc {

struct WeightedScores {
  std::vector<double> value;                    // the distinct scores, increasing
  std::vector<std::uint32_t> positives;         // per distinct score, how many positives hold it
  std::vector<std::uint32_t> negatives;         // and how many negatives
  double positiveTotal = 0, negativeTotal = 0;  // the sums of the two counts
};

// The scores of both classes, each already sorted (sortedScores), as counts
// over the union of their distinct values.
WeightedScores weightedScores(const std::vector<double>& positives,
                              const std::vector<double>& negatives);

// A point of the ROC polyline in counts: the negatives and positives
// classed positive (divided by the class totals they are the FPR and TPR).
struct CurvePoint {
  double fp = 0, tp = 0;
};

struct Curve {
  std::vector<CurvePoint> points;  // from (0, 0) to the totals; may repeat a point
  double positives = 0, negatives = 0;
};

struct CurveSummary {
  double auc = 0;  // the Mann-Whitney AUC (ties one half)
  // The threshold of the cut with the largest Youden J (the highest such cut
  // on a tie), in the rule of bestYouden: the highest score classed
  // negative, -inf when every record is classed positive.
  double youdenThreshold = 0;
};

// The AUC and Youden threshold of "s" (NaN when a class has no count), in
// one pass over its distinct scores; with "curve", also its ROC polyline,
// one point per distinct score (a score no record holds repeats the point
// before it).  "curve" is reused across resamples.
CurveSummary summarize(const WeightedScores& s, Curve* curve = nullptr);

}  // namespace roc

#endif  // ROC_WEIGHTED_SCORES_H_
