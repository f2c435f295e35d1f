// Writes N records "score,class" of a plausible classifier to standard output:
// positives score around 0.7, negatives around 0.3, six decimals, LF line ends.
//
//   gen_scores N [SEED] > scores.txt
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: gen_scores N [SEED]\n", stderr);
    return 2;
  }
  const long n = std::atol(argv[1]);
  std::mt19937_64 random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 42);
  std::bernoulli_distribution positive(0.4);
  std::normal_distribution<double> spread(0.0, 0.18);
  static char buffer[1 << 20];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  for (long i = 0; i < n; ++i) {
    const bool p = positive(random);
    double score = (p ? 0.7 : 0.3) + spread(random);
    score = score < 0 ? 0 : score > 1 ? 1 : score;
    std::printf("%.6f,%d\n", score, p ? 1 : 0);
  }
  return 0;
}
