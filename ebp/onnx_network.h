// Networks as ONNX models, the exchange format PyTorch, Keras and
// scikit-learn's converters write.
//
// A model is read only when its graph computes exactly the network of the
// forward pass: one hidden layer, logistic hidden and output units, a bias
// on each layer.  Each layer is a Gemm (alpha and beta 1, transB either way)
// or a MatMul followed by an Add of the bias, then a Sigmoid:
//   input [N, nI] -> Gemm -> Sigmoid -> Gemm -> Sigmoid -> output [N, nO]
// with the weights as float or double initializers (or Constant nodes).
// Anything else is refused with the node that differs, counted from 1 in
// the file's order:
//   net.onnx: node 4 (Softmax): the output units must be logistic (Sigmoid);
//   this network cannot be applied
#ifndef EBP_ONNX_NETWORK_H_
#define EBP_ONNX_NETWORK_H_

#include <string>
#include <string_view>

#include "ebp/network_files.h"

namespace ebp {

// True when "path" names an ONNX model (ends in ".onnx", any case).
bool isOnnxName(std::string_view path);

// The network the model "bytes" (the whole file "path", named in errors)
// computes, as a weights file would hold it: the weights into the hidden
// bias node, which no graph has, are 0.  Float weights are widened to
// double exactly.  Throws ToolError (kTypeMismatch) for a model that is not
// ONNX or whose graph is not this network, naming the node or initializer.
EbpWeights readOnnxNetwork(std::string_view bytes, const std::string& path);

// The ONNX model (opset 13, float64) of "weights": input "patterns" of
// [N, nI], output "outputs" of [N, nO], each layer a Gemm and a Sigmoid.
// The weights into the hidden bias node are left out (they change no
// output).  "source" names the weights file in the model's description.
std::string onnxModelOf(const EbpWeights& weights, const std::string& source);

}  // namespace ebp

#endif  // EBP_ONNX_NETWORK_H_
