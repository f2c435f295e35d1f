// Permutation importance: how much the network's mean squared error grows
// when one input column is shuffled over the patterns, breaking its link to
// the targets while keeping its distribution.  Each input is shuffled
// "repeats" times; the increases give a mean, a standard deviation and an
// interval.  The scheme is scikit-learn's permutation_importance: every
// input starts a generator from the same seed, each repeat shuffles an index
// vector in place and applies it to the column as the last repeat left it.
#ifndef EBP_TREMORA_PERMUTATION_IMPORTANCE_H_
#define EBP_TREMORA_PERMUTATION_IMPORTANCE_H_

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/data_table.h"
#include "ebp/network_files.h"

namespace tremora {

// The index vectors of one input's repeats: starting from 0 .. n-1, each
// next() shuffles the vector in place (Fisher-Yates from the last place
// down, each place's partner drawn uniformly by rejection from a 64-bit
// Mersenne twister seeded with "seed"), the same on every platform.
class PermutationSequence {
 public:
  PermutationSequence(std::uint64_t seed, long n);

  // The vector after one more shuffle; valid until the next call.
  const std::vector<long>& next();

 private:
  std::uint64_t below(std::uint64_t bound);  // uniform in [0, bound]

  std::mt19937_64 random_;
  std::vector<long> index_;
};

// One input's increases of the mean squared error over the repeats.
struct InputImportance {
  double mean = 0;  // mean increase
  double std = 0;   // their standard deviation, over the repeats (n, not n - 1)
  double low = 0;   // 95% interval of the mean: Student's t with n - 1 degrees
  double high = 0;  // of freedom and the n - 1 standard deviation; nan for n = 1
};

struct PermutationImportance {
  long repeats = 0;
  std::uint64_t seed = 0;
  double baseMse = 0;                   // over every pattern and output
  std::vector<InputImportance> inputs;  // input i at index i - 1
};

// The importance of every input of "set" for the network "w": the mean
// squared error over all patterns and outputs (scikit-learn's, which is
// Tremora's base error over the number of outputs) with the column shuffled,
// less the one with none shuffled.  "progress", when set, is called before
// each input with the input (from 1) and nI.  Throws ToolError for no
// patterns or an overflow of the network (naming the pattern).
PermutationImportance permutationImportance(const ebp::PatternSet& set, const ebp::EbpWeights& w,
                                            long repeats, std::uint64_t seed,
                                            const std::function<void(int, int)>& progress = {});

// The result as "name<TAB>value" lines ending in LF: repeats, seed, base_mse,
// then per input i importance_mean_input_i, importance_std_input_i,
// importance_low_input_i and importance_high_input_i; numbers in the
// shortest form that reads back to the same double, nan where undefined.
std::string permutationText(const PermutationImportance& result);

// A row per input: input, importance_mean, importance_std, importance_low,
// importance_high.
common::DataTable permutationTable(const PermutationImportance& result);

}  // namespace tremora

#endif  // EBP_TREMORA_PERMUTATION_IMPORTANCE_H_
