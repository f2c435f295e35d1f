#include "roc/roc_table.h"

#include <cmath>

namespace roc {

common::DataTable rocTable(const ScoreHistogram& histogram, const RocResult& result) {
  common::DataTable table({"threshold", "TP", "FN", "FP", "TN", "TPR", "FPR", "distance", "MCC"});
  const std::vector<double>& thresholds = sweepThresholds();
  for (std::size_t k = 0; k < thresholds.size(); ++k) {
    const Confusion c = histogram.countsAt(static_cast<int>(k));
    const float tpr = result.tpr[k], fpr = result.fpr[k];
    table.add(thresholds[k]).add(c.tp).add(c.fn).add(c.fp).add(c.tn).add(tpr).add(fpr);
    table.add(std::fabs(static_cast<double>(tpr) - static_cast<double>(fpr)) / kSqrt2);
    table.add(matthews(c));
    table.endRow();
  }
  return table;
}

}  // namespace roc
