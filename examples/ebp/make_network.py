#!/usr/bin/env python3
"""Trains the example network and writes it in the toolkit's file layouts.

The Wisconsin diagnostic breast cancer data (569 cases, 30 features) ships with
Debian's python3-sklearn.  The features are scaled to [0, 1]; a network with
one hidden layer of 6 logistic units and a logistic output is trained with
scikit-learn's MLPClassifier to give the probability that a tumour is
malignant.  Writes:

  cancer.pat       nI nO nP, then per case the 30 scaled inputs and the target
                   (1 malignant, 0 benign)
  cancer.wgt       nI nH nO, the input-to-hidden block (30 inputs and the bias,
                   each with 6 hidden weights and 0 for the hidden bias node),
                   then the hidden-to-output block (6 hidden nodes and the bias)
  cancer.expected  the library's own output for every case, 17 digits, which
                   the tests compare with the toolkit's forward pass
  cancer.csv       the same cases as a table a researcher would have: a header
                   row of the feature names and "malignant", then a row per
                   case, comma-separated (the input of examples/workflow.sh)

All numbers are written with 17 significant digits, so the files hold the
network exactly.  Run with Debian's python3: /usr/bin/python3 make_network.py
"""
import numpy as np
from sklearn.datasets import load_breast_cancer
from sklearn.neural_network import MLPClassifier
from sklearn.preprocessing import MinMaxScaler

HIDDEN = 6


def number(v):
    return repr(float(v))


def main():
    data = load_breast_cancer()
    x = MinMaxScaler().fit_transform(data.data)
    y = (data.target == 0).astype(int)  # the data set codes malignant as 0
    net = MLPClassifier(hidden_layer_sizes=(HIDDEN,), activation="logistic", solver="lbfgs",
                        alpha=3.0, max_iter=2000, random_state=4).fit(x, y)
    n_in = x.shape[1]
    with open("cancer.pat", "w", newline="\r\n") as out:
        out.write(f"{n_in} 1 {len(x)}\n")
        for row, target in zip(x, y):
            out.write(" ".join(number(v) for v in row) + f" {target}\n")
    w1, w2 = net.coefs_
    b1, b2 = net.intercepts_
    with open("cancer.wgt", "w", newline="\r\n") as out:
        out.write(f"{n_in} {HIDDEN} 1\n")
        for i in range(n_in):
            out.write(" ".join(number(v) for v in w1[i]) + " 0\n")
        out.write(" ".join(number(v) for v in b1) + " 0\n")
        for j in range(HIDDEN):
            out.write(number(w2[j][0]) + "\n")
        out.write(number(b2[0]) + "\n")
    with open("cancer.csv", "w") as out:
        names = [n.replace(" ", "_") for n in data.feature_names] + ["malignant"]
        out.write(",".join(names) + "\n")
        for row, target in zip(x, y):
            out.write(",".join(number(v) for v in row) + f",{target}\n")
    with open("cancer.expected", "w", newline="\r\n") as out:
        for p in net.predict_proba(x)[:, 1]:
            out.write(number(p) + "\n")


if __name__ == "__main__":
    main()
