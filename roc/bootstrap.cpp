#include "roc/bootstrap.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace roc {

unsigned workerCount(unsigned threads) {
  return threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
}

ResampleRandom::ResampleRandom(std::uint64_t seed, std::uint64_t resample, std::uint32_t stream)
    : state_(seed) {
  // Each part mixed in turn, so that nearby seeds, resamples and streams
  // start far apart.
  state_ = (*this)() ^ resample;
  state_ = (*this)() ^ stream;
  state_ = (*this)();
}

namespace {

constexpr unsigned kBlockBits = 12;
constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;

// How many of "records" draws fall in each block of kBlock records.  Two
// draws from each 64-bit number, each from 0 to records - 1 without bias
// (Lemire 2019: a multiply, and a rare redraw).
void drawBlocks(ResampleRandom& random, std::size_t records, std::vector<std::uint32_t>& perBlock) {
  perBlock.assign((records + kBlock - 1) >> kBlockBits, 0);
  if (records == 0) return;
  if (records > 0xFFFFFFFFu) {
    for (std::size_t draw = 0; draw < records; ++draw)
      ++perBlock[random.below(records) >> kBlockBits];
    return;
  }
  const auto n = static_cast<std::uint32_t>(records);
  const std::uint32_t rejectBelow = static_cast<std::uint32_t>(-n) % n;
  auto bounded = [&](std::uint32_t x) {
    std::uint64_t m = std::uint64_t{x} * n;
    while (static_cast<std::uint32_t>(m) < rejectBelow) {
      m = std::uint64_t{static_cast<std::uint32_t>(random())} * n;
    }
    return static_cast<std::uint32_t>(m >> 32);
  };
  std::size_t draw = 0;
  for (; draw + 2 <= records; draw += 2) {
    const std::uint64_t bits = random();
    ++perBlock[bounded(static_cast<std::uint32_t>(bits)) >> kBlockBits];
    ++perBlock[bounded(static_cast<std::uint32_t>(bits >> 32)) >> kBlockBits];
  }
  if (draw < records) ++perBlock[bounded(static_cast<std::uint32_t>(random())) >> kBlockBits];
}

// Adds "draws" draws over the records [0, size) of one block to counts[at(record)]:
// in a full block each draw is 12 random bits, five from a 64-bit number.
template <typename At>
void drawInBlock(ResampleRandom& random, std::uint32_t draws, std::size_t size, At at) {
  if (size != kBlock) {
    for (std::uint32_t c = 0; c < draws; ++c) at(random.below(size));
    return;
  }
  std::uint32_t c = 0;
  for (; c + 5 <= draws; c += 5) {
    std::uint64_t bits = random();
    for (int k = 0; k < 5; ++k, bits >>= kBlockBits) at(bits & (kBlock - 1));
  }
  for (std::uint64_t bits = random(); c < draws; ++c, bits >>= kBlockBits) at(bits & (kBlock - 1));
}

}  // namespace

// The draws land in blocks of 4096 records in two steps, so that every
// count written lies in a block that stays in the cache: first how many of
// the draws fall in each block, then as many draws within each block.  The
// counts have the same multinomial law as draws over all records at once.
void drawCounts(ResampleRandom& random, std::size_t records, const std::uint32_t* groupOf,
                std::uint32_t* counts) {
  std::vector<std::uint32_t> perBlock, local(groupOf == nullptr ? 0 : kBlock);
  drawBlocks(random, records, perBlock);
  for (std::size_t block = 0; block < perBlock.size(); ++block) {
    const std::size_t start = block << kBlockBits, size = std::min(kBlock, records - start);
    if (groupOf == nullptr) {
      drawInBlock(random, perBlock[block], size, [&](std::size_t i) { ++counts[start + i]; });
    } else {
      // Counted per record in a buffer of the first cache level, then added
      // to the distinct scores in order.
      std::fill(local.begin(), local.end(), 0u);
      drawInBlock(random, perBlock[block], size, [&](std::size_t i) { ++local[i]; });
      const std::uint32_t* groups = groupOf + start;
      for (std::size_t i = 0; i < size; ++i) counts[groups[i]] += local[i];
    }
  }
}

namespace {

// For each record of one class in increasing order, the distinct score it
// holds: its index in sample.value.
std::vector<std::uint32_t> groupsOf(const std::vector<std::uint32_t>& countPerGroup) {
  std::vector<std::uint32_t> out;
  for (std::size_t g = 0; g < countPerGroup.size(); ++g) {
    out.insert(out.end(), countPerGroup[g], static_cast<std::uint32_t>(g));
  }
  return out;
}

}  // namespace

void forEachResample(std::size_t count, unsigned threads,
                     const std::function<void(std::size_t r, unsigned worker)>& work) {
  std::atomic<std::size_t> next{0};
  auto run = [&](unsigned worker) {
    for (std::size_t r; (r = next.fetch_add(1)) < count;) work(r, worker);
  };
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < workerCount(threads); ++t) helpers.emplace_back(run, t);
  run(0);
  for (std::thread& helper : helpers) helper.join();
}

std::vector<double> bootstrap(const WeightedScores& sample, std::size_t width,
                              const ResampleStatistic& statistic, const BootstrapPlan& plan) {
  std::vector<double> values(plan.resamples * width);
  const std::vector<std::uint32_t> positiveGroup = groupsOf(sample.positives);
  const std::vector<std::uint32_t> negativeGroup = groupsOf(sample.negatives);
  std::vector<WeightedScores> resamples(workerCount(plan.threads), sample);
  forEachResample(plan.resamples, plan.threads, [&](std::size_t r, unsigned worker) {
    WeightedScores& resample = resamples[worker];  // this worker's own: no allocation
    std::fill(resample.positives.begin(), resample.positives.end(), 0u);
    std::fill(resample.negatives.begin(), resample.negatives.end(), 0u);
    ResampleRandom positiveRandom(plan.seed, r, 0), negativeRandom(plan.seed, r, 1);
    drawCounts(positiveRandom, positiveGroup.size(), positiveGroup.data(),
               resample.positives.data());
    drawCounts(negativeRandom, negativeGroup.size(), negativeGroup.data(),
               resample.negatives.data());
    statistic(resample, values.data() + r * width);
  });
  return values;
}

Interval percentileInterval(const std::vector<double>& values, std::size_t width,
                            std::size_t column, double level) {
  std::vector<double> v;
  for (std::size_t i = column; i < values.size(); i += width) {
    if (!std::isnan(values[i])) v.push_back(values[i]);
  }
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  if (v.empty()) return {kNaN, kNaN};
  std::sort(v.begin(), v.end());
  auto quantile = [&](double p) {
    const double h = (static_cast<double>(v.size()) - 1) * p;
    const auto below = static_cast<std::size_t>(std::floor(h));
    const std::size_t above = std::min(below + 1, v.size() - 1);
    const double fraction = h - static_cast<double>(below);
    if (v[below] == v[above] || fraction == 0) return v[below];  // keeps an infinity whole
    // Between an infinity and a number, R's quantile gives the infinity.
    if (std::isinf(v[below])) return v[below];
    if (std::isinf(v[above])) return v[above];
    return v[below] + fraction * (v[above] - v[below]);
  };
  return {quantile((1 - level) / 2), quantile((1 + level) / 2)};
}

}  // namespace roc
