// The threshold sweep of rocplot: rates, best operating point, Matthews
// coefficient and area under the curve.
//
// Scores are singles, thresholds doubles accumulated from 0 in steps of 0.01
// while they stay at or below 1 (so exactly 100 of them, the last near 0.99);
// a case is predicted positive at a threshold when its score, widened to
// double, is strictly greater.  Instead of comparing every record with every
// threshold, each record is placed once by how many thresholds it exceeds
// (ScoreHistogram), and the counts at every threshold follow from running
// sums: O(n) instead of O(100 n), with identical counts.
#ifndef ROC_SWEEP_H_
#define ROC_SWEEP_H_

#include <array>
#include <cstdint>
#include <vector>

namespace roc {

// The threshold step.
inline constexpr double kStep = 0.01;

// The highest index of the point arrays.  Its defining expression, the whole
// part of 1/0.01 plus one, is 100 with 1/0.01 taken in extended precision.
inline constexpr int kLastPoint = 100;

// sqrt(2) as the distance from the diagonal divides by it.
inline constexpr double kSqrt2 = 1.414213562373095;

// The thresholds in sweep order: t = 0, then t + 0.01 repeatedly while t <= 1.
const std::vector<double>& sweepThresholds();

// How many thresholds "score" exceeds (0 for NaN and for scores at or below
// 0; the threshold count for scores above the last).
int thresholdsExceeded(float score);

// The four confusion counts at one threshold.
struct Confusion {
  std::int64_t tp = 0, fp = 0, fn = 0, tn = 0;
  bool operator==(const Confusion&) const = default;
};

// The records of a score file, reduced to what the sweep needs: per number
// of thresholds exceeded, how many records have class 0, 1 and 2.  Other
// classes never count (a class 2 counts as a true positive when predicted
// negative, since prediction plus class is then 2).
class ScoreHistogram {
 public:
  void add(float score, std::uint8_t observedClass) {
    if (observedClass <= 2) ++counts_[thresholdsExceeded(score)][observedClass];
  }
  std::int64_t records() const { return records_; }
  void setRecords(std::int64_t n) { records_ = n; }

  // The confusion counts at threshold k (0-based sweep index).
  Confusion countsAt(int k) const;

 private:
  std::array<std::array<std::int64_t, 3>, kLastPoint + 1> counts_{};
  std::int64_t records_ = 0;
};

// Everything the sweep hands to the picture and the point list.
struct RocResult {
  std::array<float, kLastPoint + 1> fpr{};  // entries the sweep does not reach stay 0
  std::array<float, kLastPoint + 1> tpr{};
  int kbest = 0;
  double dmax = -9000000000.0;
  Confusion best;  // counts at the best point, all 0 when none qualified
  double matthews = 0.0;
  float auc = 0.0f;
};

// Matthews correlation of a confusion table, in double precision, over
// N = tp + fp + fn + tn (which excludes classes other than 0, 1, 2).
double matthews(const Confusion& c);

// Rates at every threshold and the best point: the first threshold farthest
// from the diagonal.  Leaves auc at 0.
RocResult sweep(const ScoreHistogram& histogram);

// Area under the polyline (1,1) -> point 0 -> ... -> point m, accumulated in
// single precision from point m - 1 down to 0, the closing trapezoid to (1,1)
// added last.
float areaUnderCurve(const RocResult& result);

}  // namespace roc

#endif  // ROC_SWEEP_H_
