// What this machine's cores can do: double-precision multiply-adds per
// second with many independent chains, in the instructions the forward pass
// is built from (a separate multiply and add, as many lanes a vector as the
// compiler uses for it), on every core.
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kChains = 32;

double run(long rounds) {
  // Many independent chains of a multiply and an add keep both units busy;
  // each multiply depends on the chain, so nothing can be hoisted.
  double acc[kChains];
  double x[kChains];
  for (int i = 0; i < kChains; ++i) {
    acc[i] = 1.0 + i * 1e-9;
    x[i] = 1e-12 * i;
  }
  for (long r = 0; r < rounds; ++r) {
    for (int i = 0; i < kChains; ++i) acc[i] = acc[i] * 0.999999999 + x[i];
  }
  double sum = 0;
  for (double a : acc) sum += a;
  return sum;
}

}  // namespace

int main() {
  const unsigned cores = std::thread::hardware_concurrency();
  const long rounds = 100000000;
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> pool;
  std::vector<double> sink(cores);
  for (unsigned c = 0; c < cores; ++c) pool.emplace_back([&, c] { sink[c] = run(rounds); });
  for (auto& t : pool) t.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double madds = static_cast<double>(kChains) * rounds * cores / seconds;
  std::printf("%.3e multiply-adds/s on %u cores (%.3f)\n", madds, cores, sink[0] > 0 ? 1.0 : 0.0);
  return 0;
}
