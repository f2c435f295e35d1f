#include <onnx/onnx_pb.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "ebp/onnx_network.h"

namespace ebp {

namespace {

void addDoubles(onnx::GraphProto& graph, const std::string& name,
                const std::vector<std::int64_t>& dims, const std::vector<double>& values) {
  onnx::TensorProto& t = *graph.add_initializer();
  t.set_name(name);
  t.set_data_type(onnx::TensorProto::DOUBLE);
  for (std::int64_t d : dims) t.add_dims(d);
  // Little-endian bytes, as ONNX keeps raw data (the reader asserts the host's order).
  std::string raw(values.size() * sizeof(double), '\0');
  if (!values.empty()) std::memcpy(raw.data(), values.data(), raw.size());
  t.set_raw_data(raw);
}

// A value of [N, width] doubles, N named so any number of patterns fits.
void describe(onnx::ValueInfoProto& value, const std::string& name, int width) {
  value.set_name(name);
  onnx::TypeProto_Tensor& type = *value.mutable_type()->mutable_tensor_type();
  type.set_elem_type(onnx::TensorProto::DOUBLE);
  type.mutable_shape()->add_dim()->set_dim_param("N");
  type.mutable_shape()->add_dim()->set_dim_value(width);
}

void addNode(onnx::GraphProto& graph, const std::string& op, const std::string& name,
             const std::vector<std::string>& inputs, const std::string& output) {
  onnx::NodeProto& node = *graph.add_node();
  node.set_op_type(op);
  node.set_name(name);
  for (const std::string& input : inputs) node.add_input(input);
  node.add_output(output);
}

}  // namespace

std::string onnxModelOf(const EbpWeights& weights, const std::string& source) {
  EbpWeights w = weights;
  const int nI = w.nI, nH = w.nH, nO = w.nO;
  std::vector<double> hidden, hiddenBias, output, outputBias;
  for (int i = 1; i <= nI; ++i) {
    for (int j = 1; j <= nH; ++j) hidden.push_back(w.inputToHidden(i, j));
  }
  for (int j = 1; j <= nH; ++j) hiddenBias.push_back(w.inputToHidden(nI + 1, j));
  for (int j = 1; j <= nH; ++j) {
    for (int k = 1; k <= nO; ++k) output.push_back(w.hiddenToOutput(j, k));
  }
  for (int k = 1; k <= nO; ++k) outputBias.push_back(w.hiddenToOutput(nH + 1, k));

  onnx::ModelProto model;
  model.set_ir_version(7);  // the format of opset 13
  model.set_producer_name("Yieldex");
  onnx::OperatorSetIdProto& opset = *model.add_opset_import();
  opset.set_domain("");
  opset.set_version(13);
  onnx::GraphProto& graph = *model.mutable_graph();
  graph.set_name("network");
  graph.set_doc_string("A back-propagation network of " + std::to_string(nI) + " inputs, " +
                       std::to_string(nH) + " logistic hidden units and " + std::to_string(nO) +
                       " logistic outputs, from " + source);
  describe(*graph.add_input(), "patterns", nI);
  describe(*graph.add_output(), "outputs", nO);
  addDoubles(graph, "hidden.weight", {nI, nH}, hidden);
  addDoubles(graph, "hidden.bias", {nH}, hiddenBias);
  addDoubles(graph, "output.weight", {nH, nO}, output);
  addDoubles(graph, "output.bias", {nO}, outputBias);
  addNode(graph, "Gemm", "hidden", {"patterns", "hidden.weight", "hidden.bias"}, "hidden.net");
  addNode(graph, "Sigmoid", "hidden.units", {"hidden.net"}, "hidden.activation");
  addNode(graph, "Gemm", "output", {"hidden.activation", "output.weight", "output.bias"},
          "output.net");
  addNode(graph, "Sigmoid", "output.units", {"output.net"}, "outputs");
  return model.SerializeAsString();
}

}  // namespace ebp
