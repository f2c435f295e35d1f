// Writes the files of a generated hexagonal map for the Favomap5 benchmarks:
// NAME.bmu with N objects spread over ROWS x COLS units, NAME.cls with a
// class (0..15) per unit in broad patches, and, when VARS is given, NAME.wgt
// with VARS smoothly varying weights per unit and NAME.dat with one external
// value per object.
//
//   gen_som ROWS COLS N NAME [VARS]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fputs("usage: gen_som ROWS COLS N NAME [VARS]\n", stderr);
    return 2;
  }
  const int rows = std::atoi(argv[1]);
  const int cols = std::atoi(argv[2]);
  const long n = std::atol(argv[3]);
  const std::string name = argv[4];
  std::mt19937 random(11);
  std::FILE* bmu = std::fopen((name + ".bmu").c_str(), "w");
  std::FILE* cls = std::fopen((name + ".cls").c_str(), "w");
  if (!bmu || !cls) return 1;
  std::fprintf(bmu, "hexa\n%ld\n%d,%d\n", n, rows, cols);
  for (long i = 1; i <= n; ++i) {
    std::fprintf(bmu, "o%ld,%d,%d\n", i, 1 + static_cast<int>(random() % rows),
                 1 + static_cast<int>(random() % cols));
  }
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) std::fprintf(cls, "%d ", (r * 7 / rows + c * 5 / cols) % 16);
    std::fputc('\n', cls);
  }
  std::fclose(bmu);
  std::fclose(cls);
  if (argc == 6) {
    const int vars = std::atoi(argv[5]);
    std::FILE* wgt = std::fopen((name + ".wgt").c_str(), "w");
    std::FILE* dat = std::fopen((name + ".dat").c_str(), "w");
    if (!wgt || !dat) return 1;
    std::fprintf(wgt, "generated weights\n%d %d %d\n", rows, cols, vars);
    std::uniform_real_distribution<double> noise(0.0, 0.05);
    for (int r = 1; r <= rows; ++r) {
      for (int c = 1; c <= cols; ++c) {
        for (int v = 0; v < vars; ++v) {
          const double x = 0.5 + 0.4 * std::sin(r * 0.05 * (v + 1)) * std::cos(c * 0.03 * (v + 2));
          std::fprintf(wgt, "%.5f ", x + noise(random));
        }
        std::fputc('\n', wgt);
      }
    }
    for (long i = 0; i < n; ++i) std::fprintf(dat, "%.3f\n", noise(random) * 100);
    std::fclose(wgt);
    std::fclose(dat);
  }
  return 0;
}
