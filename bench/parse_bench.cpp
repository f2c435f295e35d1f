// Reading speed of the score file: tokens, numbers and the histogram, on an
// in-memory file, reported in bytes per second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "common/tokens.h"
#include "roc/score_file.h"

namespace {

std::string makeScores(long records) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> score(0.0, 1.0);
  std::string text;
  char line[64];
  for (long i = 0; i < records; ++i) {
    int n = std::snprintf(line, sizeof line, "%.6f,%d\n", score(random), static_cast<int>(i & 1));
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

const std::string& scores() {
  static const std::string text = makeScores(1000000);
  return text;
}

void BM_ReadScores(benchmark::State& state) {
  const std::string& text = scores();
  for (auto _ : state) {
    roc::ScoreHistogram h = roc::readScores(text, "bench");
    benchmark::DoNotOptimize(h);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadScores)->Unit(benchmark::kMillisecond);

void BM_TokensAsDoubles(benchmark::State& state) {
  const std::string& text = scores();
  for (auto _ : state) {
    common::TokenReader reader(text, "bench");
    double sum = 0;
    while (!reader.atEnd()) sum += reader.readDouble();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TokensAsDoubles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
