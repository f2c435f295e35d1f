// Writes the files of a generated hexagonal map for the Favomap5 benchmarks:
// NAME.bmu with N objects spread over ROWS x COLS units, and NAME.cls with a
// class (0..15) per unit in broad patches.
//
//   gen_som ROWS COLS N NAME
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: gen_som ROWS COLS N NAME\n", stderr);
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
  return 0;
}
