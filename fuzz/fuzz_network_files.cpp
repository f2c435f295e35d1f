// The network files: pattern and weights headers and records, noise.cfg,
// the reread of test.err, and ONNX models (the input itself, and written
// over a valid model at an offset it gives, so that most tries reach the
// graph rather than stop at the protobuf), on the same input.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/errors.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"
#include "ebp/onnx_network.h"
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
  tolerant([&] { ebp::readOnnxNetwork(text, "n.onnx"); });
  tolerant([&] {
    static const std::string valid = [] {
      ebp::EbpWeights w{2, 2, 1, std::vector<double>(9, 0.5), std::vector<double>(3, 0.25)};
      return ebp::onnxModelOf(w, "n.wgt");
    }();
    if (size == 0) return;
    std::string model = valid;
    const std::size_t at = data[0] % model.size();
    model.replace(at, std::min(size - 1, model.size() - at), text.substr(1));
    ebp::readOnnxNetwork(model, "n.onnx");
  });
  fuzz::TempFile noise(data, size, ".cfg");
  tolerant([&] {
    const tremora::SensitivityFiles files{"p.pat", "w.wgt", "test.err", noise.path()};
    const tremora::SensitivityTable t = tremora::rereadResults(files, text, 3, 2);
    tremora::dataPage(t);
  });
  return 0;
}
