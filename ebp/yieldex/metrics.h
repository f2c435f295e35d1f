// The measures a researcher compares models by, per output of the network:
// the coefficient of determination 1 - SSres/SStot (scikit-learn's r2_score,
// not the squared correlation of the report), the mean absolute error and,
// for an output whose targets are all 0 or 1, the log loss, the Brier score
// and the accuracy with the output read as class 1 from 0.5 on.  The sums
// grow a pair at a time, so memory does not depend on the number of patterns.
#ifndef EBP_YIELDEX_METRICS_H_
#define EBP_YIELDEX_METRICS_H_

#include <cstdint>
#include <string>
#include <vector>

namespace yieldex {

// What one output's pairs give; nan where a measure is undefined (no
// patterns, targets that are all equal for r2_score, a target other than 0
// or 1 for the last three).
struct OutputMetrics {
  double r2Score = 0;
  double meanAbsoluteError = 0;
  double logLoss = 0;
  double brierScore = 0;
  double accuracy = 0;
};

class Metrics {
 public:
  // "outputs" outputs, numbered from 1.
  explicit Metrics(int outputs);

  // The pair of network output "y" and target "t" of one pattern for output
  // "output" (1-based).
  void add(int output, double y, double t);

  // The measures of output "output" (1-based) over the pairs added so far.
  OutputMetrics of(int output) const;

  // Every output's measures as "name<TAB>value" lines ending in LF, output
  // by output: r2_score_output_K, mean_absolute_error_output_K,
  // log_loss_output_K, brier_score_output_K, accuracy_output_K, each number
  // in the shortest form that reads back to the same double.
  std::string text() const;

 private:
  struct Sums {
    std::int64_t n = 0;
    double meanT = 0, spreadT = 0;  // running mean and sum of squared deviations
    double squared = 0, absolute = 0, logLoss = 0;
    std::int64_t correct = 0;
    bool binary = true;
  };
  std::vector<Sums> sums_;
};

}  // namespace yieldex

#endif  // EBP_YIELDEX_METRICS_H_
