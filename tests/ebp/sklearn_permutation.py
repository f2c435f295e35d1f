"""Tremora's --permutation as scikit-learn's permutation_importance computes it.

Usage: python3 sklearn_permutation.py PATTERNS WEIGHTS ORDER
PATTERNS and WEIGHTS are the network's files (read by the pattern file's
counts, as Tremora reads them); ORDER holds one line per repeat: the index
vector after that repeat's shuffle, the same for every input.  scikit-learn
is handed these vectors in place of its own shuffles.  Prints
importance_mean_input_i and importance_std_input_i lines.
"""
import re
import sys

import numpy as np
import sklearn.inspection._permutation_importance as pi
from sklearn.inspection import permutation_importance


def numbers(path):
    with open(path) as f:
        return [float(x) for x in re.split(r"[\s,]+", f.read().strip())]


pat = numbers(sys.argv[1])
n_in, n_out, n_pat = (int(v) for v in pat[:3])
records = np.array(pat[3:3 + n_pat * (n_in + n_out)]).reshape(n_pat, n_in + n_out)
X, Y = records[:, :n_in], records[:, n_in:]
wgt = numbers(sys.argv[2])
n_hidden = int(wgt[1])
w1 = np.array(wgt[3:3 + (n_in + 1) * (n_hidden + 1)]).reshape(n_in + 1, n_hidden + 1)
rest = wgt[3 + (n_in + 1) * (n_hidden + 1):]
w2 = np.array(rest[:(n_hidden + 1) * n_out]).reshape(n_hidden + 1, n_out)
with open(sys.argv[3]) as f:
    order = [np.array([int(v) for v in line.split()]) for line in f if line.strip()]


class Network:
    """The trained network as an estimator: predict is the forward pass."""

    def fit(self, X, y):
        return self

    def predict(self, X):
        inputs = np.hstack([X, np.ones((X.shape[0], 1))])
        hidden = 1 / (np.exp(-(inputs @ w1)) + 1)
        hidden[:, n_hidden] = 1
        return 1 / (np.exp(-(hidden @ w2)) + 1)


class GivenShuffles:
    """Stands for the random state: each shuffle becomes the next given vector."""

    def __init__(self):
        self.repeat = 0

    def randint(self, *args, **kwargs):
        return 0

    def shuffle(self, index):
        index[:] = order[self.repeat]
        self.repeat += 1


pi.check_random_state = lambda seed: GivenShuffles()
result = permutation_importance(Network(), X, Y, scoring="neg_mean_squared_error",
                                n_repeats=len(order), random_state=0)
for i in range(n_in):
    print(f"importance_mean_input_{i + 1}\t{result.importances_mean[i]!r}")
    print(f"importance_std_input_{i + 1}\t{result.importances_std[i]!r}")
