"""Yieldex's --metrics as scikit-learn computes them: an independent reference.

Usage: python3 sklearn_metrics.py PATTERNS OUTPUTS
PATTERNS is a pattern file (inputs, outputs, patterns, then the records),
OUTPUTS the output file Yieldex wrote for it.  Prints name<TAB>value lines
named as Yieldex names them; nan where an output's targets are not all 0/1.
"""
import re
import sys

import numpy as np
from sklearn.metrics import (accuracy_score, brier_score_loss, log_loss,
                             mean_absolute_error, r2_score)


def numbers(path):
    with open(path) as f:
        return [float(x) for x in re.split(r"[\s,]+", f.read().strip())]


values = numbers(sys.argv[1])
n_in, n_out, n_pat = (int(v) for v in values[:3])
records = np.array(values[3:3 + n_pat * (n_in + n_out)]).reshape(n_pat, n_in + n_out)
targets = records[:, n_in:]
outputs = np.array(numbers(sys.argv[2])).reshape(n_pat, n_out)
for k in range(n_out):
    t, y = targets[:, k], outputs[:, k]
    binary = bool(np.all((t == 0) | (t == 1)))
    nan = float("nan")
    rows = [
        ("r2_score", r2_score(t, y)),
        ("mean_absolute_error", mean_absolute_error(t, y)),
        ("log_loss", log_loss(t, y, labels=[0, 1]) if binary else nan),
        ("brier_score", brier_score_loss(t, y) if binary else nan),
        ("accuracy", accuracy_score(t, (y >= 0.5).astype(float)) if binary else nan),
    ]
    for name, value in rows:
        print(f"{name}_output_{k + 1}\t{value!r}")
