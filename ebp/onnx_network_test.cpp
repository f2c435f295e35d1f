#include "ebp/onnx_network.h"

#include <gtest/gtest.h>
#include <onnx/onnx_pb.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/errors.h"

namespace ebp {
namespace {

// A network of random weights; those into the hidden bias node are 0, as
// no graph holds them.
EbpWeights randomNetwork(int nI, int nH, int nO, unsigned seed) {
  std::mt19937 gen(seed);
  std::normal_distribution<double> normal(0.0, 2.0);
  EbpWeights w{nI, nH, nO, {}, {}};
  w.w1.assign(static_cast<std::size_t>(nI + 1) * (nH + 1), 0.0);
  w.w2.assign(static_cast<std::size_t>(nH + 1) * nO, 0.0);
  for (int i = 1; i <= nI + 1; ++i) {
    for (int j = 1; j <= nH; ++j) w.inputToHidden(i, j) = normal(gen);
  }
  for (double& v : w.w2) v = normal(gen);
  return w;
}

onnx::ModelProto modelOf(const EbpWeights& w) {
  onnx::ModelProto model;
  EXPECT_TRUE(model.ParseFromString(onnxModelOf(w, "net.wgt")));
  return model;
}

EbpWeights readBack(const onnx::ModelProto& model) {
  return readOnnxNetwork(model.SerializeAsString(), "net.onnx");
}

onnx::TensorProto* initializer(onnx::ModelProto& model, const std::string& name) {
  for (onnx::TensorProto& t : *model.mutable_graph()->mutable_initializer()) {
    if (t.name() == name) return &t;
  }
  ADD_FAILURE() << name;
  return nullptr;
}

// "name" as a float tensor of the transposed matrix, PyTorch's layout
// (Gemm with transB = 1).
void transposeToFloats(onnx::ModelProto& model, const std::string& name) {
  onnx::TensorProto& t = *initializer(model, name);
  const std::int64_t rows = t.dims(0), cols = t.dims(1);
  std::vector<double> values(static_cast<std::size_t>(rows * cols));
  std::memcpy(values.data(), t.raw_data().data(), t.raw_data().size());
  t.clear_raw_data();
  t.set_data_type(onnx::TensorProto::FLOAT);
  t.set_dims(0, cols);
  t.set_dims(1, rows);
  for (std::int64_t c = 0; c < cols; ++c) {
    for (std::int64_t r = 0; r < rows; ++r) {
      t.add_float_data(static_cast<float>(values[static_cast<std::size_t>(r * cols + c)]));
    }
  }
}

void setTransB(onnx::NodeProto& node) {
  onnx::AttributeProto& a = *node.add_attribute();
  a.set_name("transB");
  a.set_type(onnx::AttributeProto::INT);
  a.set_i(1);
}

TEST(OnnxNetwork, ModelsReadBackAsTheNetwork) {
  for (const auto& [nI, nH, nO] : {std::tuple{3, 4, 2}, {1, 1, 1}, {30, 0, 3}, {5, 7, 1}}) {
    const EbpWeights w = randomNetwork(nI, nH, nO, static_cast<unsigned>(nI * 100 + nH));
    const EbpWeights back = readBack(modelOf(w));
    EXPECT_EQ(back.nI, nI);
    EXPECT_EQ(back.nH, nH);
    EXPECT_EQ(back.nO, nO);
    EXPECT_EQ(back.w1, w.w1);
    EXPECT_EQ(back.w2, w.w2);
  }
}

// The layouts other tools write: PyTorch's float Gemm with transB, Keras'
// MatMul and Add (the bias first or second), Identity nodes between,
// Constant nodes, weights listed among the graph's inputs.
TEST(OnnxNetwork, OtherToolsLayoutsGiveTheSameWeights) {
  const EbpWeights w = randomNetwork(3, 2, 2, 7);
  EbpWeights widened = w;  // the weights as floats hold them
  for (double& v : widened.w1) v = static_cast<float>(v);
  for (double& v : widened.w2) v = static_cast<float>(v);
  struct Row {
    const char* name;
    std::function<void(onnx::ModelProto&)> change;
    const EbpWeights& expected;
  } rows[] = {
      {"float, transB",
       [](onnx::ModelProto& m) {
         for (const char* name : {"hidden.weight", "output.weight"}) transposeToFloats(m, name);
         for (const char* name : {"hidden.bias", "output.bias"}) {
           onnx::TensorProto& t = *initializer(m, name);
           std::vector<double> v(static_cast<std::size_t>(t.dims(0)));
           std::memcpy(v.data(), t.raw_data().data(), t.raw_data().size());
           t.clear_raw_data();
           t.set_data_type(onnx::TensorProto::FLOAT);
           for (double x : v) t.add_float_data(static_cast<float>(x));
         }
         setTransB(*m.mutable_graph()->mutable_node(0));
         setTransB(*m.mutable_graph()->mutable_node(2));
       },
       widened},
      {"MatMul and Add, Identity, Constant, weights among the inputs",
       [](onnx::ModelProto& m) {
         onnx::GraphProto& g = *m.mutable_graph();
         onnx::GraphProto old = g;
         g.clear_node();
         auto add = [&](const char* op, std::vector<std::string> in, const char* out) {
           onnx::NodeProto& n = *g.add_node();
           n.set_op_type(op);
           for (const std::string& s : in) n.add_input(s);
           n.add_output(out);
           return &n;
         };
         onnx::NodeProto* bias = add("Constant", {}, "b1");
         onnx::AttributeProto& value = *bias->add_attribute();
         value.set_name("value");
         *value.mutable_t() = *initializer(m, "hidden.bias");
         add("MatMul", {"patterns", "hidden.weight"}, "h0");
         add("Add", {"b1", "h0"}, "h1");
         add("Identity", {"h1"}, "h2");
         add("Sigmoid", {"h2"}, "h3");
         add("MatMul", {"h3", "output.weight"}, "o0");
         add("Add", {"o0", "output.bias"}, "o1");
         add("Sigmoid", {"o1"}, "outputs");
         for (const onnx::TensorProto& t : old.initializer()) {
           g.add_input()->set_name(t.name());
         }
       },
       w},
  };
  for (const Row& r : rows) {
    onnx::ModelProto model = modelOf(w);
    r.change(model);
    const EbpWeights back = readBack(model);
    EXPECT_EQ(back.w1, r.expected.w1) << r.name;
    EXPECT_EQ(back.w2, r.expected.w2) << r.name;
  }
}

void setOp(onnx::ModelProto& m, int node, const char* op) {
  m.mutable_graph()->mutable_node(node)->set_op_type(op);
}

TEST(OnnxNetwork, OtherGraphsAreRefusedNamingWhatDiffers) {
  const std::string cannot = "; this network cannot be applied";
  struct Row {
    std::function<void(onnx::ModelProto&)> change;
    std::string message;
  } rows[] = {
      {[](onnx::ModelProto& m) { setOp(m, 3, "Softmax"); },
       "net.onnx: node 4 (Softmax): the output units must be logistic (Sigmoid)" + cannot},
      {[](onnx::ModelProto& m) { setOp(m, 1, "Relu"); },
       "net.onnx: node 2 (Relu): the hidden units must be logistic (Sigmoid)" + cannot},
      {[](onnx::ModelProto& m) { setOp(m, 1, "Tanh"); },
       "net.onnx: node 2 (Tanh): the hidden units must be logistic (Sigmoid)" + cannot},
      {[](onnx::ModelProto& m) {
         m.mutable_graph()->mutable_node(0)->mutable_input()->RemoveLast();
       },
       "net.onnx: node 1 (Gemm): the hidden layer has no bias (a Gemm without C)" + cannot},
      {[](onnx::ModelProto& m) {
         onnx::NodeProto& gemm = *m.mutable_graph()->mutable_node(2);
         gemm.set_op_type("MatMul");
         gemm.mutable_input()->RemoveLast();
       },
       "net.onnx: node 4 (Sigmoid): the output layer has no bias (its MatMul is not followed "
       "by an Add of the bias)" +
           cannot},
      {[](onnx::ModelProto& m) {
         // a scaler in front: (patterns - mean) into the first Gemm
         onnx::GraphProto& g = *m.mutable_graph();
         const auto nodes = g.node();
         g.clear_node();
         onnx::NodeProto& sub = *g.add_node();
         sub.set_op_type("Sub");
         sub.add_input("patterns");
         sub.add_input("hidden.bias");
         sub.add_output("scaled");
         for (const onnx::NodeProto& n : nodes) g.add_node()->CopyFrom(n);
         g.mutable_node(1)->set_input(0, "scaled");
       },
       "net.onnx: node 1 (Sub): the network must begin with the hidden layer's weights (Gemm, "
       "or MatMul and Add); a node that changes the inputs first (a scaler, say) is not part "
       "of the network this program applies" +
           cannot},
      {[](onnx::ModelProto& m) {
         // a second hidden layer: the outputs through one more Gemm and Sigmoid
         onnx::GraphProto& g = *m.mutable_graph();
         g.add_node()->CopyFrom(g.node(2));
         g.mutable_node(4)->set_input(0, "outputs");
         g.mutable_node(4)->set_input(1, "hidden.weight");
         g.mutable_node(4)->set_output(0, "more");
         g.mutable_output(0)->set_name("more");
       },
       "net.onnx: node 5 (Gemm): a second hidden layer; the network has one hidden layer" + cannot},
      {[](onnx::ModelProto& m) {
         m.mutable_graph()
             ->mutable_input(0)
             ->mutable_type()
             ->mutable_tensor_type()
             ->mutable_shape()
             ->mutable_dim(1)
             ->set_dim_value(4);
       },
       "net.onnx: input \"patterns\": is 4 wide where the hidden layer takes 3 inputs"},
      {[](onnx::ModelProto& m) {
         onnx::AttributeProto& a = *m.mutable_graph()->mutable_node(2)->add_attribute();
         a.set_name("alpha");
         a.set_type(onnx::AttributeProto::FLOAT);
         a.set_f(0.5f);
       },
       "net.onnx: node 3 (Gemm): alpha is 0.500000, where the network adds weights and bias "
       "unscaled (1)" +
           cannot},
      {[](onnx::ModelProto& m) {
         onnx::NodeProto& gemm = *m.mutable_graph()->mutable_node(0);
         gemm.mutable_input()->SwapElements(0, 1);
       },
       "net.onnx: node 1 (Gemm): the weights come first and the patterns second, where the "
       "network multiplies the patterns by the weights" +
           cannot},
      {[](onnx::ModelProto& m) {
         onnx::NodeProto& matMul = *m.mutable_graph()->mutable_node(2);
         matMul.set_op_type("MatMul");
         matMul.mutable_input()->DeleteSubrange(1, 2);
       },
       "net.onnx: node 3 (MatMul): takes 1 values, where it needs 2" + cannot},
      {[](onnx::ModelProto& m) { m.mutable_graph()->mutable_node(1)->add_output("mask"); },
       "net.onnx: node 2 (Sigmoid): gives 2 values, where every node of the network gives one" +
           cannot},
      {[](onnx::ModelProto& m) {
         initializer(m, "output.weight")->set_data_location(onnx::TensorProto::EXTERNAL);
       },
       "net.onnx: initializer \"output.weight\": its values lie in another file; save the "
       "model with its weights inside"},
      {[](onnx::ModelProto& m) {
         initializer(m, "hidden.bias")->set_data_type(onnx::TensorProto::INT64);
       },
       "net.onnx: initializer \"hidden.bias\": its values are of ONNX type 7; the weights must "
       "be float or double"},
      {[](onnx::ModelProto& m) {
         onnx::TensorProto& t = *initializer(m, "hidden.bias");
         std::string raw = t.raw_data();
         const double nan = std::numeric_limits<double>::quiet_NaN();
         std::memcpy(raw.data() + sizeof(double), &nan, sizeof nan);
         t.set_raw_data(raw);
       },
       "net.onnx: initializer \"hidden.bias\": value 2 is not a finite number"},
      {[](onnx::ModelProto& m) {
         onnx::NodeProto& n = *m.mutable_graph()->add_node();
         n.set_op_type("Relu");
         n.add_input("hidden.weight");
         n.add_output("unused");
       },
       "net.onnx: node 5 (Relu): the node lies off the network's path from input to output" +
           cannot},
  };
  for (const Row& r : rows) {
    onnx::ModelProto model = modelOf(randomNetwork(3, 2, 2, 11));
    r.change(model);
    try {
      readBack(model);
      ADD_FAILURE() << r.message;
    } catch (const common::ToolError& e) {
      EXPECT_EQ(e.what(), r.message);
    }
  }
  for (const std::string bytes : {"3 2 1\n0.5 0.25\n", ""}) {
    try {
      readOnnxNetwork(bytes, "net.onnx");
      ADD_FAILURE() << bytes;
    } catch (const common::ToolError& e) {
      EXPECT_STREQ(e.what(), "net.onnx: not an ONNX model (the file does not read as one)");
    }
  }
}

}  // namespace
}  // namespace ebp
