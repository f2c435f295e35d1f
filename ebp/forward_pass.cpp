#include "ebp/forward_pass.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <thread>

#include "common/errors.h"
#include "common/number_forms.h"

namespace ebp {

void throwActivationOverflow(double a) {
  if (!std::isfinite(a)) {
    throw common::makeError(common::Fault::kOverflow, "", "",
                            "a weighted sum lies beyond double precision (the net input is " +
                                common::generalForm(a, 15) + ")");
  }
  throw common::makeError(
      common::Fault::kOverflow, "", "",
      "the net input " + common::generalForm(a, 15) + " is beyond the activation's range");
}

namespace rows_base {
void addRows(double* sums, const double* rows, const double* x, int rowCount, int width);
}
namespace rows_avx2 {
void addRows(double* sums, const double* rows, const double* x, int rowCount, int width);
}

void addWeightedRows(double* sums, const double* rows, const double* x, int rowCount, int width) {
  static const auto kernel =
      __builtin_cpu_supports("avx2") ? &rows_avx2::addRows : &rows_base::addRows;
  kernel(sums, rows, x, rowCount, width);
}

namespace {

__attribute__((target_clones("avx2", "default"))) void reciprocalOfOnePlus(double* v, int n) {
  for (int j = 0; j < n; ++j) v[j] = 1.0 / (v[j] + 1.0);
}

}  // namespace

void applyLogistic(double* v, int n) {
  for (int j = 0; j < n; ++j) {
    const double e = std::exp(-v[j]);
    if (!std::isfinite(v[j]) || std::isinf(e)) throwActivationOverflow(v[j]);
    v[j] = e;
  }
  reciprocalOfOnePlus(v, n);
}

// Each destination keeps its own sum over the sources in increasing order;
// the loops run over destinations innermost, so the compiler can process
// several destinations at once without changing any sum.
void forwardPass(const double* x, const EbpWeights& w, double* hidden, double* y) {
  const int hiddenCount = w.nH + 1;
  std::fill(hidden, hidden + hiddenCount, 0.0);
  addWeightedRows(hidden, w.w1.data(), x, w.nI + 1, hiddenCount);
  // The hidden bias node's activation is computed like the others (it can
  // overflow like them) and then fixed at 1.
  applyLogistic(hidden, hiddenCount);
  hidden[w.nH] = 1.0;
  std::fill(y, y + w.nO, 0.0);
  addWeightedRows(y, w.w2.data(), hidden, hiddenCount, w.nO);
  applyLogistic(y, w.nO);
}

std::optional<ForwardFailure> forwardBlock(const PatternSet& patterns, const EbpWeights& w,
                                           long first, long last, double* out, int threads) {
  const long count = last - first + 1;
  if (count <= 0) return std::nullopt;
  threads = static_cast<int>(std::clamp<long>(count / 1024, 1, std::max(threads, 1)));
  struct Failure {
    long pattern = -1;
    std::exception_ptr error;
  };
  std::vector<Failure> failures(static_cast<std::size_t>(threads));
  auto work = [&](int t) {
    std::vector<double> hidden(static_cast<std::size_t>(w.nH) + 1);
    const long begin = first + count * t / threads;
    const long end = first + count * (t + 1) / threads;
    for (long p = begin; p < end; ++p) {
      try {
        forwardPass(patterns.inputRow(p), w, hidden.data(),
                    out + static_cast<std::size_t>(p - first) * w.nO);
      } catch (const common::ToolError&) {
        failures[static_cast<std::size_t>(t)] = {p, std::current_exception()};
        return;
      }
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& th : pool) th.join();
  for (const Failure& f : failures) {  // in pattern order: the first failing part wins
    if (!f.error) continue;
    try {
      std::rethrow_exception(f.error);
    } catch (const common::ToolError& e) {
      return ForwardFailure{f.pattern,
                            common::withContext("pattern " + std::to_string(f.pattern), e)};
    }
  }
  return std::nullopt;
}

std::vector<double> forwardAll(const PatternSet& patterns, const EbpWeights& w, int threads) {
  std::vector<double> outputs(static_cast<std::size_t>(std::max(patterns.nP, 0L)) * w.nO);
  if (auto failure = forwardBlock(patterns, w, 1, patterns.nP, outputs.data(), threads)) {
    throw failure->error;
  }
  return outputs;
}

}  // namespace ebp
