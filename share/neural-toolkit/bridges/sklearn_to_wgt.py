#!/usr/bin/python3
"""A scikit-learn multi-layer perceptron as a weights file (.wgt) for Yieldex and Tremora.

Usage: sklearn_to_wgt.py MODEL OUT.wgt
       (from Python: from sklearn_to_wgt import write_wgt; write_wgt(model, "net.wgt"))

MODEL is a fitted MLPClassifier or MLPRegressor saved with pickle or joblib.  The
network must be the one Yieldex and Tremora apply: one hidden layer
(hidden_layer_sizes=(H,)), logistic hidden units (activation="logistic") and logistic
output units, which scikit-learn gives a binary classifier (one output, the probability
of the second class, predict_proba[:, 1]) or a multi-label classifier (one output per
label).  Refused, with the reason: other activations, more than one hidden layer, the
softmax output of a classifier of three or more classes, the linear (identity) output
of MLPRegressor.

The weights file holds nI nH nO, then for each input and then the bias input the
weights to hidden units 1..nH and a 0 for the hidden bias node, then for each hidden
unit and then the hidden bias its weights to outputs 1..nO: coefs_[0] row by row with
intercepts_[0] last, coefs_[1] row by row with intercepts_[1] last.  Every weight is
written with 17 significant digits, so Yieldex reads the very doubles scikit-learn
holds.  The patterns must hold the inputs the model was fitted on, scaled as they were.
"""
import os
import pickle
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bridge_files import OutputRefused, write_files  # noqa: E402


class Refused(Exception):
    """The model is not a network Yieldex can apply; the message says why."""


def check(model):
    """Raises Refused when "model" is not one logistic hidden layer with logistic outputs."""
    name = type(model).__name__
    if hasattr(model, "steps"):
        raise Refused("a Pipeline; save its final MLP, and give the patterns scaled as the "
                      "Pipeline's steps scale them")
    if not hasattr(model, "coefs_"):
        raise Refused(f"a {name} without fitted weights (coefs_); fit it first")
    layers = len(model.coefs_) - 1
    if layers != 1:
        raise Refused(f"the {name} has {layers} hidden layers; Yieldex's network has one "
                      "(hidden_layer_sizes=(H,))")
    if model.activation != "logistic":
        raise Refused(f"the hidden units are {model.activation!r}; Yieldex's are logistic "
                      "(activation=\"logistic\")")
    out = getattr(model, "out_activation_", None)
    if out == "softmax":
        raise Refused(f"the output is softmax over {model.coefs_[-1].shape[1]} classes, "
                      "where Yieldex's output units are each logistic; train one binary "
                      "classifier per class, or a multi-label one")
    if out != "logistic":
        raise Refused(f"the output units are {out!r} (MLPRegressor's are linear); "
                      "Yieldex's are logistic")


def wgt_text(model):
    """The weights file of a model that check() accepts, lines ending in CR LF."""
    check(model)
    (w1, w2), (b1, b2) = model.coefs_, model.intercepts_
    n_in, n_hidden = w1.shape
    n_out = w2.shape[1]
    lines = [f"{n_in} {n_hidden} {n_out}"]
    for row in list(w1) + [b1]:
        lines.append(" ".join(repr(float(v)) for v in row) + " 0")
    for row in list(w2) + [b2]:
        lines.append(" ".join(repr(float(v)) for v in row))
    return "\r\n".join(lines) + "\r\n"


def write_wgt(model, path, inputs=()):
    """Writes the weights file of "model" to "path", whole or not at all (never over one of
    "inputs"); raises Refused first when the model cannot be carried."""
    write_files({path: wgt_text(model)}, inputs)


def load(path):
    try:
        import joblib  # noqa: PLC0415 (joblib's files need joblib; plain pickles do not)
        return joblib.load(path)
    except ImportError:
        with open(path, "rb") as f:
            return pickle.load(f)


def main(argv):
    if len(argv) != 3 or argv[1] in ("-h", "--help"):
        print(__doc__.strip())
        return 0 if len(argv) == 2 else 2
    try:
        write_wgt(load(argv[1]), argv[2], inputs=[argv[1]])
    except OutputRefused as why:
        print(f"sklearn_to_wgt: {why}", file=sys.stderr)
        return 1
    except Refused as why:
        print(f"sklearn_to_wgt: {argv[1]}: {why}; nothing written", file=sys.stderr)
        return 1
    except (OSError, pickle.UnpicklingError, EOFError) as why:
        print(f"sklearn_to_wgt: {why}", file=sys.stderr)
        return 1
    print(f"network saved to: {argv[2]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
