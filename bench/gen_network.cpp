// Writes a generated pattern file and a network for the Yieldex benchmark:
// NAME.pat with P patterns of I inputs in [0, 1] and O targets, and NAME.wgt
// with H hidden nodes and small random weights.
//
//   gen_network P I H O NAME
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fputs("usage: gen_network P I H O NAME\n", stderr);
    return 2;
  }
  const long patterns = std::atol(argv[1]);
  const int inputs = std::atoi(argv[2]);
  const int hidden = std::atoi(argv[3]);
  const int outputs = std::atoi(argv[4]);
  const std::string name = argv[5];
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> unit(0, 1);
  std::normal_distribution<double> weight(0, 0.3);
  static char buffer[1 << 20];
  std::FILE* pat = std::fopen((name + ".pat").c_str(), "w");
  if (!pat) return 1;
  std::setvbuf(pat, buffer, _IOFBF, sizeof buffer);
  std::fprintf(pat, "%d %d %ld\n", inputs, outputs, patterns);
  for (long p = 0; p < patterns; ++p) {
    for (int i = 0; i < inputs + outputs; ++i) std::fprintf(pat, "%.6f ", unit(random));
    std::fputc('\n', pat);
  }
  std::fclose(pat);
  std::FILE* wgt = std::fopen((name + ".wgt").c_str(), "w");
  if (!wgt) return 1;
  std::fprintf(wgt, "%d %d %d\n", inputs, hidden, outputs);
  for (int i = 0; i <= inputs; ++i) {
    for (int j = 0; j <= hidden; ++j) std::fprintf(wgt, "%.9f ", weight(random));
    std::fputc('\n', wgt);
  }
  for (int j = 0; j <= hidden; ++j) {
    for (int k = 0; k < outputs; ++k) std::fprintf(wgt, "%.9f ", weight(random));
    std::fputc('\n', wgt);
  }
  std::fclose(wgt);
  return 0;
}
