// The results of an analysis as Tremora shows them: reread from test.err,
// as relative changes of the error.
#ifndef EBP_TREMORA_SENSITIVITY_RESULTS_H_
#define EBP_TREMORA_SENSITIVITY_RESULTS_H_

#include <string_view>
#include <vector>

#include "common/data_table.h"
#include "ebp/tremora/sensitivity.h"

namespace tremora {

// The results as reread, in single precision: E0, the noise levels (from
// noise.cfg again) and the relative changes D[l][i] = E[l][i] / E0 - 1.
struct SensitivityTable {
  float e0 = 0;
  std::vector<float> levels;
  std::vector<std::vector<float>> errors;  // [level][input], as reread
  std::vector<std::vector<float>> change;  // [level][input]
  float dmax = 0;                          // the largest of 0 and every D
  float dmin = 0;                          // the smallest of 0 and every D
  float range = 0;                         // |dmin| + dmax
};

// Sets dmax, dmin and range from the changes: dmax the largest of 0 and every
// D, dmin the smallest (starting from 9e9, then 0 when it ends above 0).
void measureRange(SensitivityTable& table);

// Rereads "results", the text of test.err as written (its three header
// lines skipped whole, then E0 and levels x nI errors), and the levels of
// noise.cfg: the reader of the file checks what its writer wrote.  E0 = 0 is
// a division by zero error.
SensitivityTable rereadResults(const SensitivityFiles& files, std::string_view results, int levels,
                               int nI);

// The numbers behind the plot: a row per level and input (level, input,
// error, relative change), in the order of test.err.
common::DataTable sensitivityTable(const SensitivityTable& table);

}  // namespace tremora

#endif  // EBP_TREMORA_SENSITIVITY_RESULTS_H_
