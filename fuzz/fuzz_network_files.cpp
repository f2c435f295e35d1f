// The network files: pattern and weights headers and records, noise.cfg,
// and the reread of test.err, on the same input.
#include <cstdint>
#include <string>

#include "common/errors.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"
#include "ebp/tremora/sensitivity_pages.h"
#include "ebp/tremora/sensitivity_results.h"
#include "fuzz/fuzz_support.h"

using fuzz::tolerant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tolerant([&] {
    ebp::NumberStream in(text, "p.pat");
    const ebp::PatternHeader h = ebp::readPatternHeader(in);
    ebp::readPatterns(in, h.nI, h.nO, h.nP);
  });
  tolerant([&] {
    ebp::NumberStream in(text, "w.wgt");
    const ebp::WeightsHeader h = ebp::readWeightsHeader(in);
    ebp::readWeights(in, h.nI, h.nH, h.nO);
  });
  tolerant([&] {
    ebp::NumberStream in(text, "noise.cfg");
    ebp::readPerturbations(in);
    ebp::readNoiseLevels(in);
  });
  fuzz::TempFile noise(data, size, ".cfg");
  tolerant([&] {
    const tremora::SensitivityFiles files{"p.pat", "w.wgt", "test.err", noise.path()};
    const tremora::SensitivityTable t = tremora::rereadResults(files, text, 3, 2);
    tremora::dataPage(t);
  });
  return 0;
}
