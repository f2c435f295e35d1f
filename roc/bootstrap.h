// The stratified bootstrap of rocplot: positives and negatives resampled
// separately, each with replacement to its own size, and percentile
// intervals of what each resample gives.
//
// A sample is held as counts over its distinct scores (WeightedScores), sorted
// once; a resample only draws a new count for every record, so it costs
// O(records) and never sorts.  Resample r draws from a generator of its own,
// seeded by (seed, r), so the results are the same whatever the number of
// threads that share the resamples.
#ifndef ROC_BOOTSTRAP_H_
#define ROC_BOOTSTRAP_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "roc/weighted_scores.h"

namespace roc {

struct BootstrapPlan {
  std::size_t resamples = 2000;
  std::uint64_t seed = 1;
  unsigned threads = 0;  // 0: one per core
};

// The random numbers of one resample's draws: SplitMix64 (Steele, Lea and
// Flood 2014), a 64-bit counter through a mixing function, seeded from the
// seed, the resample's number and a stream (0 positives, 1 negatives, further
// numbers for further samples).  Fast, and as good as the bootstrap needs.
class ResampleRandom {
 public:
  ResampleRandom(std::uint64_t seed, std::uint64_t resample, std::uint32_t stream);
  std::uint64_t operator()() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // A draw from 0 to n - 1: the 64 bits scaled by a multiply (the bias is
  // below n / 2^64).
  std::size_t below(std::size_t n) {
    return static_cast<std::size_t>((static_cast<unsigned __int128>((*this)()) * n) >> 64);
  }

 private:
  std::uint64_t state_;
};

// Draws "records" times with replacement from records 0 .. records-1 and
// adds 1 to counts[groupOf[record]] for each draw (counts[record] when
// "groupOf" is null).  "counts" is not cleared first.
void drawCounts(ResampleRandom& random, std::size_t records, const std::uint32_t* groupOf,
                std::uint32_t* counts);

// A statistic of one resample: writes its values to out[0, width).
using ResampleStatistic = std::function<void(const WeightedScores& resample, double* out)>;

// Runs "statistic" on plan.resamples stratified resamples of "sample", on
// plan.threads threads.  Returns the values resample by resample: row r
// (width values) is resample r's.
std::vector<double> bootstrap(const WeightedScores& sample, std::size_t width,
                              const ResampleStatistic& statistic, const BootstrapPlan& plan);

// The number of workers "threads" asks for: itself, or one per core for 0.
unsigned workerCount(unsigned threads);

// Runs work(r, worker) for r = 0 .. count-1, each r exactly once, on
// workerCount(threads) threads; "worker" (0 up to that count) names the
// thread, for buffers of its own.
void forEachResample(std::size_t count, unsigned threads,
                     const std::function<void(std::size_t r, unsigned worker)>& work);

struct Interval {
  double low = 0, high = 0;
};

// The percentile interval at "level" of column "column" of "values" (rows of
// "width"): the (1 - level) / 2 and (1 + level) / 2 sample quantiles,
// interpolated between order statistics (R's default, type 7).  Values that
// are not numbers are left out; NaN when none is left.
Interval percentileInterval(const std::vector<double>& values, std::size_t width,
                            std::size_t column, double level);

}  // namespace roc

#endif  // ROC_BOOTSTRAP_H_
