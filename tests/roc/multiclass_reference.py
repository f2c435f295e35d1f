"""scikit-learn's multi-class AUCs of a file of "class,score_1,...,score_K"
lines: an independent reference for rocplot --multiclass.

Usage: python3 multiclass_reference.py FILE
Prints name<TAB>value lines named as rocplot's report names them.
"""
import sys

import numpy as np
from sklearn.metrics import roc_auc_score

data = np.loadtxt(sys.argv[1], delimiter=",", ndmin=2)
labels = data[:, 0].astype(int)
scores = data[:, 1:]
for name, value in [
    ("ovo_macro_auc", roc_auc_score(labels, scores, multi_class="ovo")),
    ("ovr_macro_auc", roc_auc_score(labels, scores, multi_class="ovr", average="macro")),
    ("ovr_weighted_auc", roc_auc_score(labels, scores, multi_class="ovr", average="weighted")),
]:
    print(f"{name}\t{value!r}")
