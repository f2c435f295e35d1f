// What one core does with numbers as text, on in-memory data: the score
// file read (tokens, numbers, histogram); the pattern file's numbers parsed
// ("%.6f", one in sixteen with an exponent); a table's numbers read as
// singles and written in the console form ("%.7g"), as Colfold does; doubles
// written in the file form (15 digits); and memcpy, the speed of reading and
// writing the bytes once.  Bytes and values per second.
#include <benchmark/benchmark.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
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

// A table's numbers as Colfold reads them, in the two forms of the Colfold
// benchmark: "%.4f" of -1000 to 1000, and "%.9g" of magnitudes 1e-4 to 1e4
// of both signs, one in eight written with an exponent.
std::string makeTable(int form) {
  std::mt19937_64 random(9);
  std::uniform_real_distribution<double> fixed(-1000, 1000), decade(-4, 4);
  std::string text;
  char number[32];
  for (int i = 0; i < 1000000; ++i) {
    int n = 0;
    if (form == 0) {
      n = std::snprintf(number, sizeof number, "%.4f ", fixed(random));
    } else {
      const double v = std::pow(10.0, decade(random)) * (i % 2 ? -1 : 1);
      n = std::snprintf(number, sizeof number, i % 8 ? "%.9g " : "%.8e ", v);
    }
    text.append(number, static_cast<std::size_t>(n));
  }
  return text;
}

const std::string& tableText(int form) {
  static const std::string texts[2] = {makeTable(0), makeTable(1)};
  return texts[form];
}

const std::vector<float>& tableSingles(int form) {
  static std::vector<float> singles[2];
  if (singles[form].empty()) {
    common::TokenReader reader(tableText(form), "bench");
    while (!reader.atEnd()) singles[form].push_back(reader.readSingle());
  }
  return singles[form];
}

void BM_ParseSingles(benchmark::State& state) {
  const std::string& text = tableText(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    common::TokenReader reader(text, "bench");
    float sum = 0;
    while (!reader.atEnd()) sum += reader.readSingle();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["values/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParseSingles)->ArgName("9g")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FormatSingles(benchmark::State& state) {
  const std::vector<float>& singles = tableSingles(static_cast<int>(state.range(0)));
  std::vector<char> out(singles.size() * (common::kLongestConsoleSingle + 2));
  std::size_t written = 0;
  for (auto _ : state) {
    char* at = out.data();
    for (const float v : singles) {
      at = common::writeConsoleSingle(at, v);
      *at++ = '\r';
      *at++ = '\n';
    }
    written = static_cast<std::size_t>(at - out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
  state.counters["values/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FormatSingles)->ArgName("9g")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The limit of any conversion: reading and writing the bytes once, 64 MB
// copied from one buffer to another.
void BM_Memcpy(benchmark::State& state) {
  const std::size_t n = 64u << 20;
  std::vector<char> from(n, '1'), to(n);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), n);
    benchmark::DoNotOptimize(to.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

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
