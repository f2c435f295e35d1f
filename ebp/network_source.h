// The network of a run, from a weights file (.wgt) or an ONNX model (a
// name ending in .onnx), read in the order the network programs read their
// files: the header's counts first, the weights after the pattern records.
#ifndef EBP_NETWORK_SOURCE_H_
#define EBP_NETWORK_SOURCE_H_

#include <optional>
#include <string>

#include "common/mapped_file.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"

namespace ebp {

class NetworkSource {
 public:
  // Opens "path"; an ONNX model is read and checked whole here (throws
  // ToolError naming what in its graph differs from the network).
  explicit NetworkSource(const std::string& path);

  NetworkSource(const NetworkSource&) = delete;
  NetworkSource& operator=(const NetworkSource&) = delete;

  bool isOnnx() const { return onnx_.has_value(); }

  // The counts of inputs, hidden units and outputs: a weights file's header,
  // read now, or the ONNX graph's own.
  WeightsHeader readHeader();

  // A model has no header for a pattern file to disagree with: refuses
  // patterns whose header ("patternPath"'s) announces other counts of inputs
  // or outputs than the ONNX model's.  Nothing for a weights file, which each
  // program reads by the counts it takes.
  void requireCountsOf(const PatternHeader& patterns, const std::string& patternPath) const;

  // The weights: a weights file's two blocks, read now by these counts; an
  // ONNX model's own (whose counts requireCountsOf has made the same).
  EbpWeights readWeights(int nI, int nH, int nO);

 private:
  std::string path_;
  common::MappedFile file_;
  NumberStream stream_;
  std::optional<EbpWeights> onnx_;
};

}  // namespace ebp

#endif  // EBP_NETWORK_SOURCE_H_
