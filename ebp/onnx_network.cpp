#include "ebp/onnx_network.h"

#include <onnx/onnx_pb.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"

namespace ebp {

static_assert(std::endian::native == std::endian::little,
              "ONNX keeps raw tensor data little-endian, as this host does");

bool isOnnxName(std::string_view path) {
  constexpr std::string_view kExtension = ".onnx";
  if (path.size() < kExtension.size()) return false;
  const std::string_view tail = path.substr(path.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

namespace {

// A weight matrix or bias vector as the graph holds it.
struct Tensor {
  std::vector<std::int64_t> dims;
  std::vector<double> values;
};

// The graph of one model and where each refusal points.
class GraphReader {
 public:
  GraphReader(const onnx::GraphProto& graph, const std::string& path) : graph_(graph), path_(path) {
    for (const onnx::TensorProto& t : graph.initializer()) constants_[t.name()] = &t;
    for (int n = 0; n < graph.node_size(); ++n) {
      const onnx::NodeProto& node = graph.node(n);
      if (node.op_type() == "Constant" && node.domain().empty()) {
        for (const onnx::AttributeProto& a : node.attribute()) {
          if (a.name() == "value" && a.has_t() && node.output_size() == 1) {
            constants_[node.output(0)] = &a.t();
            used_[n] = true;
          }
        }
      }
      for (const std::string& input : node.input()) consumers_[input].push_back(n);
    }
  }

  EbpWeights network() {
    for (int n = 0; n < graph_.node_size(); ++n) {
      if (graph_.node(n).output_size() != 1) {
        refuseNode(n, "gives " + std::to_string(graph_.node(n).output_size()) +
                          " values, where every node of the network gives one");
      }
    }
    std::string value = patternInput();
    const Layer hidden = layer(value, "hidden");
    value = sigmoid(hidden.output, "hidden");
    const Layer output = layer(value, "output");
    value = sigmoid(output.output, "output");
    requireEnd(value);
    return weightsOf(hidden, output);
  }

 private:
  struct Layer {
    int inputs = 0, units = 0;
    std::vector<double> weights;  // inputs x units, source-major
    std::vector<double> bias;     // units
    std::string output;
  };

  [[noreturn]] void refuse(const std::string& place, const std::string& why) const {
    throw common::ToolError(common::Fault::kTypeMismatch,
                            path_ + ": " + (place.empty() ? "" : place + ": ") + why);
  }
  std::string nodeName(int n) const {
    return "node " + std::to_string(n + 1) + " (" + graph_.node(n).op_type() + ")";
  }
  [[noreturn]] void refuseNode(int n, const std::string& why) const {
    refuse(nodeName(n), why + "; this network cannot be applied");
  }

  // The one graph input that is not a weight, checked for the shape of a
  // block of patterns.
  std::string patternInput() {
    const onnx::ValueInfoProto* found = nullptr;
    int count = 0;
    for (const onnx::ValueInfoProto& input : graph_.input()) {
      if (constants_.count(input.name())) continue;
      found = &input;
      ++count;
    }
    if (count != 1) {
      refuse("", "the graph takes " + std::to_string(count) +
                     " inputs besides its weights; the network takes one, the patterns");
    }
    const auto& type = found->type().tensor_type();
    if (found->type().has_tensor_type() && type.has_shape() && type.shape().dim_size() != 2) {
      refuse("input \"" + found->name() + "\"",
             "has " + std::to_string(type.shape().dim_size()) +
                 " dimensions; the network takes a block of patterns [N, inputs]");
    }
    if (graph_.output_size() != 1) {
      refuse("", "the graph gives " + std::to_string(graph_.output_size()) +
                     " outputs; the network gives one, the outputs of every pattern");
    }
    input_ = found;
    return found->name();
  }

  // The one node that takes "value", passing Identity nodes.
  std::optional<int> next(const std::string& value) {
    const auto it = consumers_.find(value);
    if (it == consumers_.end() || it->second.empty()) return std::nullopt;
    if (it->second.size() > 1) {
      refuseNode(it->second[1], "\"" + value +
                                    "\" feeds more than one node, where the network "
                                    "is one path from the input to the output");
    }
    const int n = it->second.front();
    used_[n] = true;
    if (graph_.node(n).op_type() == "Identity") return next(graph_.node(n).output(0));
    return n;
  }

  // Input k of node n; refused when the node has fewer.
  const std::string& inputOf(int n, int k) const {
    const onnx::NodeProto& node = graph_.node(n);
    if (k >= node.input_size()) {
      refuseNode(n, "takes " + std::to_string(node.input_size()) + " values, where it needs " +
                        std::to_string(k + 1));
    }
    return node.input(k);
  }

  int expectNext(const std::string& value, const std::string& what) {
    const std::optional<int> n = next(value);
    if (!n) refuse("", "\"" + value + "\" feeds no node, where " + what + " should follow");
    return *n;
  }

  // Gemm, or MatMul and Add, from "value": the layer's weights and bias.
  Layer layer(const std::string& value, const std::string& name) {
    const int n = expectNext(value, "the " + name + " layer's weights");
    const onnx::NodeProto& node = graph_.node(n);
    const bool weights = node.op_type() == "Gemm" || node.op_type() == "MatMul";
    if (weights && inputOf(n, 0) != value) {
      refuseNode(n,
                 "the weights come first and the patterns second, where the network "
                 "multiplies the patterns by the weights");
    }
    Layer layer;
    if (node.op_type() == "Gemm") {
      layer = gemm(n, name);
    } else if (node.op_type() == "MatMul") {
      layer = matMulAdd(n, name);
    } else if (name == "hidden") {
      refuseNode(n,
                 "the network must begin with the hidden layer's weights (Gemm, or MatMul "
                 "and Add); a node that changes the inputs first (a scaler, say) is not part "
                 "of the network this program applies");
    } else if (node.op_type() == "Sigmoid" || isActivation(node.op_type())) {
      refuseNode(n,
                 "a second activation where the output layer's weights (Gemm, or MatMul and "
                 "Add) should follow");
    } else {
      refuseNode(n,
                 "the output layer's weights (Gemm, or MatMul and Add) should follow the "
                 "hidden units");
    }
    if (name == "output" && layer.inputs != hiddenUnits_) {
      refuseNode(n, "the output layer takes " + std::to_string(layer.inputs) +
                        " values where the hidden layer gives " + std::to_string(hiddenUnits_));
    }
    if (name == "hidden") {
      hiddenUnits_ = layer.units;
      inputs_ = layer.inputs;
    }
    return layer;
  }

  static bool isActivation(const std::string& op) {
    static const char* const kActivations[] = {
        "Relu",     "Tanh",     "LeakyRelu",   "Elu",   "Selu", "Softmax",         "LogSoftmax",
        "Softplus", "Softsign", "HardSigmoid", "PRelu", "Gelu", "ThresholdedRelu", "Celu"};
    return std::find(std::begin(kActivations), std::end(kActivations), op) !=
           std::end(kActivations);
  }

  Layer gemm(int n, const std::string& name) {
    const onnx::NodeProto& node = graph_.node(n);
    bool transB = false;
    for (const onnx::AttributeProto& a : node.attribute()) {
      if ((a.name() == "alpha" || a.name() == "beta") && a.f() != 1.0f) {
        refuseNode(n, a.name() + " is " + std::to_string(a.f()) +
                          ", where the network adds weights and bias unscaled (1)");
      }
      if (a.name() == "transA" && a.i() != 0) {
        refuseNode(n, "transA turns the patterns, where the network takes them as rows");
      }
      if (a.name() == "transB") transB = a.i() != 0;
    }
    if (node.input_size() < 3 || node.input(2).empty()) {
      refuseNode(n, "the " + name + " layer has no bias (a Gemm without C)");
    }
    Layer layer;
    weightsInto(layer, n, inputOf(n, 1), transB);
    biasInto(layer, n, node.input(2));
    layer.output = node.output(0);
    return layer;
  }

  Layer matMulAdd(int n, const std::string& name) {
    const onnx::NodeProto& node = graph_.node(n);
    Layer layer;
    weightsInto(layer, n, inputOf(n, 1), false);
    const std::optional<int> add = next(node.output(0));
    if (!add || graph_.node(*add).op_type() != "Add") {
      refuseNode(add.value_or(n), "the " + name +
                                      " layer has no bias (its MatMul is not "
                                      "followed by an Add of the bias)");
    }
    const onnx::NodeProto& addNode = graph_.node(*add);
    const bool first = inputOf(*add, 0) == node.output(0);
    biasInto(layer, *add, inputOf(*add, first ? 1 : 0));
    layer.output = addNode.output(0);
    return layer;
  }

  void weightsInto(Layer& layer, int n, const std::string& name, bool transposed) {
    const Tensor t = constant(n, name);
    if (t.dims.size() != 2) {
      refuseNode(n, "the weights \"" + name + "\" have " + std::to_string(t.dims.size()) +
                        " dimensions; a layer's weights are a matrix");
    }
    layer.inputs = static_cast<int>(t.dims[transposed ? 1 : 0]);
    layer.units = static_cast<int>(t.dims[transposed ? 0 : 1]);
    layer.weights.resize(t.values.size());
    for (int i = 0; i < layer.inputs; ++i) {
      for (int j = 0; j < layer.units; ++j) {
        const std::size_t at = transposed ? static_cast<std::size_t>(j) * layer.inputs + i
                                          : static_cast<std::size_t>(i) * layer.units + j;
        layer.weights[static_cast<std::size_t>(i) * layer.units + j] = t.values[at];
      }
    }
  }

  // The bias: one value per unit (a [units] or [1, units] tensor), or one
  // value for every unit.
  void biasInto(Layer& layer, int n, const std::string& name) {
    const Tensor t = constant(n, name);
    const std::size_t units = static_cast<std::size_t>(layer.units);
    const bool perUnit =
        t.values.size() == units && (t.dims.size() == 1 || (t.dims.size() == 2 && t.dims[0] == 1));
    if (perUnit) {
      layer.bias = t.values;
    } else if (t.values.size() == 1) {
      layer.bias.assign(units, t.values.front());
    } else {
      refuseNode(n, "the bias \"" + name + "\" holds " + std::to_string(t.values.size()) +
                        " values for " + std::to_string(units) + " units");
    }
  }

  // The values of the initializer or Constant "name" that node n uses.
  Tensor constant(int n, const std::string& name) {
    const auto it = constants_.find(name);
    if (it == constants_.end()) {
      refuseNode(n, "\"" + name +
                        "\" is not a weight held in the file (an initializer or a "
                        "Constant)");
    }
    const onnx::TensorProto& t = *it->second;
    const std::string place = "initializer \"" + name + "\"";
    if (t.data_location() == onnx::TensorProto::EXTERNAL) {
      refuse(place, "its values lie in another file; save the model with its weights inside");
    }
    Tensor tensor;
    std::size_t count = 1;
    for (std::int64_t d : t.dims()) {
      if (d < 0 || d > std::numeric_limits<int>::max()) refuse(place, "a dimension out of range");
      tensor.dims.push_back(d);
      count *= static_cast<std::size_t>(d);
    }
    if (t.data_type() == onnx::TensorProto::FLOAT) {
      tensor.values = valuesOf<float>(t.raw_data(), t.float_data(), count, place);
    } else if (t.data_type() == onnx::TensorProto::DOUBLE) {
      tensor.values = valuesOf<double>(t.raw_data(), t.double_data(), count, place);
    } else {
      refuse(place, "its values are of ONNX type " + std::to_string(t.data_type()) +
                        "; the weights must be float or double");
    }
    for (std::size_t k = 0; k < tensor.values.size(); ++k) {
      if (!std::isfinite(tensor.values[k])) {
        refuse(place, "value " + std::to_string(k + 1) + " is not a finite number");
      }
    }
    return tensor;
  }

  template <typename T, typename Repeated>
  std::vector<double> valuesOf(const std::string& raw, const Repeated& typed, std::size_t count,
                               const std::string& place) const {
    std::vector<double> values;
    if (!raw.empty()) {
      if (raw.size() != count * sizeof(T)) {
        refuse(place, "holds " + std::to_string(raw.size()) + " bytes for " +
                          std::to_string(count) + " values");
      }
      values.resize(count);
      for (std::size_t k = 0; k < count; ++k) {
        T v;
        std::memcpy(&v, raw.data() + k * sizeof(T), sizeof(T));
        values[k] = static_cast<double>(v);
      }
    } else {
      if (static_cast<std::size_t>(typed.size()) != count) {
        refuse(place,
               "holds " + std::to_string(typed.size()) + " values for " + std::to_string(count));
      }
      values.assign(typed.begin(), typed.end());
    }
    return values;
  }

  std::string sigmoid(const std::string& value, const std::string& name) {
    const int n = expectNext(value, "the " + name + " units' Sigmoid");
    if (graph_.node(n).op_type() != "Sigmoid") {
      refuseNode(n, "the " + name + " units must be logistic (Sigmoid)");
    }
    return graph_.node(n).output(0);
  }

  // "value", the output units, is the graph's output and the end of the
  // path; every node of the graph lies on it.
  void requireEnd(const std::string& value) {
    if (const std::optional<int> n = next(value)) {
      const std::string& op = graph_.node(*n).op_type();
      if (op == "Gemm" || op == "MatMul") {
        refuseNode(*n, "a second hidden layer; the network has one hidden layer");
      }
      refuseNode(*n, "a node after the logistic output units");
    }
    if (graph_.output(0).name() != value) {
      refuse("", "the graph's output \"" + graph_.output(0).name() +
                     "\" is not the output units' Sigmoid");
    }
    for (int n = 0; n < graph_.node_size(); ++n) {
      if (!used_[n]) refuseNode(n, "the node lies off the network's path from input to output");
    }
    const auto& type = input_->type().tensor_type();
    if (type.has_shape() && type.shape().dim(1).has_dim_value() &&
        type.shape().dim(1).dim_value() != inputs_) {
      refuse("input \"" + input_->name() + "\"",
             "is " + std::to_string(type.shape().dim(1).dim_value()) +
                 " wide where the hidden layer takes " + std::to_string(inputs_) + " inputs");
    }
  }

  EbpWeights weightsOf(const Layer& hidden, const Layer& output) {
    EbpWeights w;
    w.nI = hidden.inputs;
    w.nH = hidden.units;
    w.nO = output.units;
    w.w1.assign(static_cast<std::size_t>(w.nI + 1) * (w.nH + 1), 0.0);
    w.w2.assign(static_cast<std::size_t>(w.nH + 1) * w.nO, 0.0);
    for (int i = 1; i <= w.nI + 1; ++i) {
      for (int j = 1; j <= w.nH; ++j) {
        w.inputToHidden(i, j) =
            i <= w.nI ? hidden.weights[static_cast<std::size_t>(i - 1) * w.nH + (j - 1)]
                      : hidden.bias[static_cast<std::size_t>(j - 1)];
      }
    }
    for (int j = 1; j <= w.nH + 1; ++j) {
      for (int k = 1; k <= w.nO; ++k) {
        w.hiddenToOutput(j, k) =
            j <= w.nH ? output.weights[static_cast<std::size_t>(j - 1) * w.nO + (k - 1)]
                      : output.bias[static_cast<std::size_t>(k - 1)];
      }
    }
    return w;
  }

  const onnx::GraphProto& graph_;
  const std::string& path_;
  std::map<std::string, const onnx::TensorProto*> constants_;
  std::map<std::string, std::vector<int>> consumers_;
  std::map<int, bool> used_;
  const onnx::ValueInfoProto* input_ = nullptr;
  int hiddenUnits_ = 0;
  int inputs_ = 0;
};

}  // namespace

EbpWeights readOnnxNetwork(std::string_view bytes, const std::string& path) {
  onnx::ModelProto model;
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
      !model.ParseFromArray(bytes.data(), static_cast<int>(bytes.size())) || !model.has_graph()) {
    throw common::ToolError(common::Fault::kTypeMismatch,
                            path + ": not an ONNX model (the file does not read as one)");
  }
  for (const onnx::OperatorSetIdProto& opset : model.opset_import()) {
    if (!opset.domain().empty() && opset.domain() != "ai.onnx") continue;
    if (opset.version() < 6) {
      throw common::ToolError(common::Fault::kTypeMismatch,
                              path + ": opset " + std::to_string(opset.version()) +
                                  " is older than this program reads (6 or later)");
    }
  }
  return GraphReader(model.graph(), path).network();
}

}  // namespace ebp
