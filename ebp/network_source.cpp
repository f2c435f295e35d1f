#include "ebp/network_source.h"

#include "common/errors.h"
#include "ebp/onnx_network.h"

namespace ebp {

namespace {

std::string counted(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

NetworkSource::NetworkSource(const std::string& path)
    : path_(path), file_(path), stream_(file_.text(), path) {
  if (isOnnxName(path)) onnx_ = readOnnxNetwork(file_.text(), path);
}

WeightsHeader NetworkSource::readHeader() {
  if (onnx_) return {onnx_->nI, onnx_->nH, onnx_->nO};
  return readWeightsHeader(stream_);
}

void NetworkSource::requireCountsOf(const PatternHeader& patterns,
                                    const std::string& patternPath) const {
  if (!onnx_ || (patterns.nI == onnx_->nI && patterns.nO == onnx_->nO)) return;
  throw common::ToolError(
      common::Fault::kTypeMismatch,
      path_ + ": the network takes " + counted(onnx_->nI, "input", "inputs") + " and gives " +
          counted(onnx_->nO, "output", "outputs") + ", where the header of " + patternPath +
          " announces " + counted(patterns.nI, "input", "inputs") + " and " +
          counted(patterns.nO, "output", "outputs") + "; this network cannot be applied to them");
}

EbpWeights NetworkSource::readWeights(int nI, int nH, int nO) {
  if (onnx_) return *onnx_;
  return ebp::readWeights(stream_, nI, nH, nO);
}

}  // namespace ebp
