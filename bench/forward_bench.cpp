// The forward pass alone on a generated network: prints the seconds the
// network takes for every pattern of NAME.pat (files as gen_network writes).
//
//   forward_bench NAME
#include <chrono>
#include <cstdio>
#include <string>

#include "common/mapped_file.h"
#include "ebp/forward_pass.h"
#include "ebp/network_files.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string name = argv[1];
  common::MappedFile pat(name + ".pat");
  common::MappedFile wgt(name + ".wgt");
  ebp::NumberStream ps(pat.text(), "pat");
  ebp::NumberStream ws(wgt.text(), "wgt");
  const ebp::PatternHeader ph = ebp::readPatternHeader(ps);
  const ebp::WeightsHeader wh = ebp::readWeightsHeader(ws);
  const ebp::PatternSet set = ebp::readPatterns(ps, wh.nI, wh.nO, ph.nP);
  const ebp::EbpWeights w = ebp::readWeights(ws, wh.nI, wh.nH, wh.nO);
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<double> y = ebp::forwardAll(set, w);
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (s < best) best = s;
    if (y.empty()) return 1;
  }
  std::printf("%.4f seconds\n", best);
  return 0;
}
