// The numbers behind rocplot's picture, one row per threshold.
#ifndef ROC_ROC_TABLE_H_
#define ROC_ROC_TABLE_H_

#include "common/data_table.h"
#include "roc/sweep.h"

namespace roc {

// Columns threshold, TP, FN, FP, TN, TPR, FPR, distance (from the diagonal,
// |TPR - FPR| / sqrt 2, as the best point is chosen) and MCC, for every
// threshold of the sweep in order; TPR and FPR are the curve's points (the
// values of roc.prn).
common::DataTable rocTable(const ScoreHistogram& histogram, const RocResult& result);

}  // namespace roc

#endif  // ROC_ROC_TABLE_H_
