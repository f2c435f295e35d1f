// What one core does with numbers as text, on in-memory data: the score
// file read (tokens, numbers, histogram); the pattern file's numbers parsed
// ("%.6f", one in sixteen with an exponent); singles written in the console
// form ("%.7g") from their bits and from the short decimal they were read
// from; doubles written in the file form (15 digits).  Bytes and values per
// second.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include <climits>
#include <vector>

#include "common/number_forms.h"
#include "common/number_parse.h"
#include "common/tokens.h"
#include "ebp/number_stream.h"
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

const std::string& patternNumbers() {
  static const std::string text = [] {
    std::mt19937_64 random(8);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::string t;
    char number[32];
    for (long i = 0; i < 2000000; ++i) {
      const double v = unit(random);
      const int n = std::snprintf(number, sizeof number, i % 16 ? "%.6f " : "%.6e ", v);
      t.append(number, static_cast<std::size_t>(n));
      if (i % 51 == 50) t += "\n";
    }
    return t;
  }();
  return text;
}

void BM_PatternNumbersOneCore(benchmark::State& state) {
  const std::string& text = patternNumbers();
  std::vector<double> values;
  values.reserve(2000000);
  for (auto _ : state) {
    ebp::NumberStream in(text, "bench");
    values.clear();
    // Spans below the size that is split between threads: one core.
    while (!in.atEnd()) ebp::readSpan(in, 256 << 10, LONG_MAX, values);
    benchmark::DoNotOptimize(values.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["values/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 2e6,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PatternNumbersOneCore)->Unit(benchmark::kMillisecond);

// A table's numbers as Colfold reads them: four decimals, -1000 to 1000.
struct TableNumbers {
  std::vector<float> singles;
  std::vector<common::ShortDecimal> digits;
  TableNumbers() {
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> value(-1000, 1000);
    char text[32];
    for (int i = 0; i < 1000000; ++i) {
      const int n = std::snprintf(text, sizeof text, "%.4f", value(random));
      double v = 0;
      const char* stop = nullptr;
      common::ShortDecimal d;
      common::parseShortDecimal(text, text + n, stop, v, &d);
      singles.push_back(static_cast<float>(v));
      digits.push_back(d);
    }
  }
};

const TableNumbers& tableNumbers() {
  static const TableNumbers numbers;
  return numbers;
}

template <bool kFromDigits>
void BM_FormatSingles(benchmark::State& state) {
  const TableNumbers& numbers = tableNumbers();
  std::string out;
  out.reserve(16 << 20);
  for (auto _ : state) {
    out.clear();
    for (std::size_t i = 0; i < numbers.singles.size(); ++i) {
      if constexpr (kFromDigits) {
        common::appendConsoleSingle(out, numbers.singles[i], numbers.digits[i]);
      } else {
        common::appendConsoleSingle(out, numbers.singles[i]);
      }
      out += '\n';
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
  state.counters["values/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormatSingles<false>)->Name("BM_FormatSingles")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatSingles<true>)->Name("BM_FormatSinglesFromDigits")->Unit(benchmark::kMillisecond);

void BM_FormatDoubles15(benchmark::State& state) {
  std::mt19937_64 random(10);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<double> values(1000000);
  for (double& v : values) v = unit(random);
  std::string out;
  out.reserve(24 << 20);
  for (auto _ : state) {
    out.clear();
    for (double v : values) common::appendFileNumber(out, v);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
  state.counters["values/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormatDoubles15)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
