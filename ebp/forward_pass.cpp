#include "ebp/forward_pass.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <thread>

#include "common/errors.h"
#include "common/number_forms.h"

namespace ebp {

double logistic(double a) {
  const double e = std::exp(-a);
  if (std::isinf(e)) {
    throw common::ToolError(common::Fault::kOverflow, "overflow: the net input " +
                                                          common::generalForm(a, 15) +
                                                          " is beyond the activation's range");
  }
  return 1.0 / (e + 1.0);
}

// Each destination keeps its own sum over the sources in increasing order;
// the loops run over destinations innermost, so the compiler can process
// several destinations at once without changing any sum.
void forward_pass(const double* x, const EbpWeights& w, double* hidden, double* y) {
  const int nI = w.nI;
  const int nH = w.nH;
  const int nO = w.nO;
  const int hiddenCount = nH + 1;
  std::fill(hidden, hidden + hiddenCount, 0.0);
  for (int i = 0; i <= nI; ++i) {
    const double xi = x[i];
    const double* row = &w.w1[static_cast<std::size_t>(i) * hiddenCount];
    for (int j = 0; j < hiddenCount; ++j) hidden[j] = hidden[j] + row[j] * xi;
  }
  // The hidden bias node's activation is computed like the others (it can
  // overflow like them) and then fixed at 1.
  for (int j = 0; j < hiddenCount; ++j) hidden[j] = logistic(hidden[j]);
  hidden[nH] = 1.0;
  std::fill(y, y + nO, 0.0);
  for (int j = 0; j < hiddenCount; ++j) {
    const double hj = hidden[j];
    const double* row = &w.w2[static_cast<std::size_t>(j) * nO];
    for (int k = 0; k < nO; ++k) y[k] = y[k] + row[k] * hj;
  }
  for (int k = 0; k < nO; ++k) y[k] = logistic(y[k]);
}

std::vector<double> forwardAll(const PatternSet& patterns, const EbpWeights& w, int threads) {
  const long nP = patterns.nP;
  std::vector<double> outputs(static_cast<std::size_t>(nP) * w.nO);
  threads = static_cast<int>(std::clamp<long>(nP / 1024, 1, std::max(threads, 1)));
  struct Failure {
    long pattern = -1;
    std::exception_ptr error;
  };
  std::vector<Failure> failures(static_cast<std::size_t>(threads));
  auto work = [&](int t) {
    std::vector<double> hidden(static_cast<std::size_t>(w.nH) + 1);
    const long first = 1 + nP * t / threads;
    const long last = nP * (t + 1) / threads;
    for (long p = first; p <= last; ++p) {
      try {
        forward_pass(patterns.inputRow(p), w, hidden.data(),
                     &outputs[static_cast<std::size_t>(p - 1) * w.nO]);
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
  for (const Failure& f : failures) {  // in pattern order: the first failing chunk wins
    if (!f.error) continue;
    try {
      std::rethrow_exception(f.error);
    } catch (const common::ToolError& e) {
      throw common::ToolError(e.fault(), "pattern " + std::to_string(f.pattern) + ": " + e.what());
    }
  }
  return outputs;
}

}  // namespace ebp
