"""Networks brought from scikit-learn and PyTorch into Yieldex, and Yieldex's ONNX export,
checked against the tools themselves.

Usage: network_bridges_test.py YIELDEX BRIDGES_DIR WORK_DIR
Exits 77 (skipped) when a tool the checks run is not installed (./run setup installs them).
"""
import os
import subprocess
import sys
import warnings

try:
    import numpy as np
    import onnx
    from onnx import helper, numpy_helper
    import torch
    from sklearn.datasets import load_breast_cancer, load_iris
    from sklearn.exceptions import ConvergenceWarning
    from sklearn.neural_network import MLPClassifier, MLPRegressor
except ImportError as missing:
    print(f"skipped: {missing} (./run setup installs python3-onnx, python3-torch, "
          "python3-sklearn)")
    sys.exit(77)

YIELDEX, BRIDGES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
os.makedirs(WORK, exist_ok=True)
sys.path.insert(0, BRIDGES)
import sklearn_to_wgt  # noqa: E402

failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def yieldex(*args):
    return subprocess.run([YIELDEX, *args], cwd=WORK, capture_output=True, text=True,
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), timeout=120)


def write_patterns(name, inputs, targets):
    lines = [f"{inputs.shape[1]} {targets.shape[1]} {inputs.shape[0]}"]
    for x, t in zip(inputs, targets):
        lines.append(" ".join(repr(float(v)) for v in (*x, *t)))
    with open(os.path.join(WORK, name), "w") as f:
        f.write("\n".join(lines) + "\n")


def network_outputs(pattern_file, network, n_out):
    """Yieldex's outputs of every pattern, from --table (17 digits), and its .out bytes."""
    out, table = network + ".out", network + ".tsv"
    run = yieldex(pattern_file, "--weights", network, "--output", out, "--table", table)
    expect(run.returncode == 0, f"Yieldex on {network}: {run.stderr}")
    rows = [line.split("\t") for line in open(os.path.join(WORK, table)).read().splitlines()[1:]]
    values = np.array([float(r[2]) for r in rows]).reshape(-1, n_out)
    return values, open(os.path.join(WORK, out), "rb").read()


def layer_onnx(name, coefs, intercepts, output_op="Sigmoid"):
    """The graph scikit-learn's weights make with MatMul and Add, built with onnx.helper."""
    nodes, value = [], "x"
    for k, (w, b) in enumerate(zip(coefs, intercepts)):
        nodes.append(helper.make_node("MatMul", [value, f"w{k}"], [f"m{k}"]))
        nodes.append(helper.make_node("Add", [f"m{k}", f"b{k}"], [f"a{k}"]))
        last = k == len(coefs) - 1
        nodes.append(helper.make_node(output_op if last else "Sigmoid", [f"a{k}"],
                                      ["y" if last else f"h{k}"]))
        value = f"h{k}"
    weights = [numpy_helper.from_array(np.asarray(a, dtype=np.float64), n)
               for k, (w, b) in enumerate(zip(coefs, intercepts))
               for a, n in ((w, f"w{k}"), (b, f"b{k}"))]
    graph = helper.make_graph(
        nodes, "sklearn",
        [helper.make_tensor_value_info("x", onnx.TensorProto.DOUBLE, ["N", coefs[0].shape[0]])],
        [helper.make_tensor_value_info("y", onnx.TensorProto.DOUBLE, ["N", coefs[-1].shape[1]])],
        weights)
    model = helper.make_model(graph, opset_imports=[helper.make_opsetid("", 13)])
    onnx.checker.check_model(model, full_check=True)
    onnx.save(model, os.path.join(WORK, name))


def evaluate_onnx(path, x):
    """The model's outputs by ONNX's definitions of its operators (no runtime in Debian)."""
    model = onnx.load(path)
    onnx.checker.check_model(model, full_check=True)
    values = {t.name: numpy_helper.to_array(t) for t in model.graph.initializer}
    values[model.graph.input[0].name] = x
    for node in model.graph.node:
        a = [values[i] for i in node.input]
        attrs = {at.name: helper.get_attribute_value(at) for at in node.attribute}
        if node.op_type == "Gemm":
            b = a[1].T if attrs.get("transB", 0) else a[1]
            y = attrs.get("alpha", 1.0) * a[0] @ b + attrs.get("beta", 1.0) * a[2]
        elif node.op_type == "Sigmoid":
            y = 1 / (1 + np.exp(-a[0]))
        else:
            raise AssertionError(f"unexpected node {node.op_type}")
        values[node.output[0]] = y
    return values[model.graph.output[0].name]


def refused(run, text, what):
    expect(run.returncode == 1 and text in run.stderr, f"{what}: {run.returncode} {run.stderr}")


warnings.filterwarnings("ignore", category=ConvergenceWarning)
cancer = load_breast_cancer()
x = (cancer.data - cancer.data.min(0)) / (cancer.data.max(0) - cancer.data.min(0))
y = cancer.target
write_patterns("cancer.pat", x, y.reshape(-1, 1).astype(float))

# A binary classifier by both routes: the .wgt script and an ONNX graph from its weights.
mlp = MLPClassifier(hidden_layer_sizes=(6,), activation="logistic", max_iter=300,
                    random_state=0).fit(x, y)
expected = mlp.predict_proba(x)[:, 1:]
sklearn_to_wgt.write_wgt(mlp, os.path.join(WORK, "mlp.wgt"))
layer_onnx("mlp.onnx", mlp.coefs_, mlp.intercepts_)
by_wgt, wgt_out = network_outputs("cancer.pat", "mlp.wgt", 1)
by_onnx, onnx_out = network_outputs("cancer.pat", "mlp.onnx", 1)
expect(np.max(np.abs(by_wgt - expected)) < 1e-12, "sklearn .wgt: outputs differ from predict_proba")
expect(np.max(np.abs(by_onnx - expected)) < 1e-12, "sklearn ONNX: outputs differ from predict_proba")
expect(wgt_out == onnx_out, "the ONNX route's output file differs from the .wgt route's")

# Yieldex's export: a valid model computing the same outputs, read back to the same bytes.
run = yieldex("--weights", "mlp.wgt", "--export-onnx", "export.onnx")
expect(run.returncode == 0, f"--export-onnx: {run.stderr}")
exported = onnx.load(os.path.join(WORK, "export.onnx"))
expect(exported.opset_import[0].version == 13 and exported.graph.input[0].name == "patterns"
       and exported.graph.output[0].name == "outputs", "the export's opset or names")
expect(np.max(np.abs(evaluate_onnx(os.path.join(WORK, "export.onnx"), x) - expected)) < 1e-12,
       "the exported model's outputs differ from predict_proba")
expect(network_outputs("cancer.pat", "export.onnx", 1)[1] == wgt_out,
       "the exported model read back gives another output file")

# PyTorch's export of Sequential(Linear, Sigmoid, Linear, Sigmoid), float weights.
torch.manual_seed(3)
net = torch.nn.Sequential(torch.nn.Linear(30, 5), torch.nn.Sigmoid(), torch.nn.Linear(5, 2),
                          torch.nn.Sigmoid())
torch.onnx.export(net, torch.zeros(1, 30), os.path.join(WORK, "torch.onnx"),
                  input_names=["x"], output_names=["y"], dynamic_axes={"x": {0: "N"}})
write_patterns("two.pat", x, np.column_stack([y, 1 - y]).astype(float))
with torch.no_grad():
    expected_torch = net.double()(torch.from_numpy(x)).numpy()
by_torch, _ = network_outputs("two.pat", "torch.onnx", 2)
expect(np.max(np.abs(by_torch - expected_torch)) < 1e-12, "PyTorch: outputs differ")
relu = torch.nn.Sequential(torch.nn.Linear(30, 5), torch.nn.ReLU(), torch.nn.Linear(5, 1),
                           torch.nn.Sigmoid())
torch.onnx.export(relu, torch.zeros(1, 30), os.path.join(WORK, "relu.onnx"))
refused(yieldex("cancer.pat", "--weights", "relu.onnx"),
        "relu.onnx: node 2 (Relu): the hidden units must be logistic (Sigmoid); "
        "this network cannot be applied", "PyTorch ReLU")

# What neither route can carry is refused, with the reason.
iris = load_iris()
three = MLPClassifier(hidden_layer_sizes=(4,), activation="logistic", max_iter=50,
                      random_state=0).fit(iris.data, iris.target)
layer_onnx("softmax.onnx", three.coefs_, three.intercepts_, output_op="Softmax")
write_patterns("iris.pat", iris.data, np.zeros((len(iris.data), 3)))
refused(yieldex("iris.pat", "--weights", "softmax.onnx"),
        "softmax.onnx: node 6 (Softmax): the output units must be logistic (Sigmoid)", "softmax")
small = dict(max_iter=20, random_state=0)
for model, reason in [
        (three, "the output is softmax over 3 classes"),
        (MLPClassifier(hidden_layer_sizes=(4,), **small).fit(x, y), "the hidden units are 'relu'"),
        (MLPClassifier(hidden_layer_sizes=(4, 3), activation="logistic", **small).fit(x, y),
         "has 2 hidden layers"),
        (MLPRegressor(hidden_layer_sizes=(4,), activation="logistic", **small).fit(x, y),
         "the output units are 'identity'")]:
    try:
        sklearn_to_wgt.wgt_text(model)
        expect(False, f"sklearn_to_wgt took a model it must refuse ({reason})")
    except sklearn_to_wgt.Refused as why:
        expect(reason in str(why), f"sklearn_to_wgt's reason: {why}")
import pickle  # noqa: E402
with open(os.path.join(WORK, "three.pkl"), "wb") as f:
    pickle.dump(three, f)
script = os.path.join(BRIDGES, "sklearn_to_wgt.py")
run = subprocess.run(["/usr/bin/python3", script, "three.pkl", "three.wgt"], cwd=WORK,
                     capture_output=True, text=True)
refused(run, "three.pkl: the output is softmax", "the script's refusal")
expect(not os.path.exists(os.path.join(WORK, "three.wgt")), "a refused model left a file")

if failures:
    sys.exit(f"{len(failures)} failed")
print("all bridges agree")
