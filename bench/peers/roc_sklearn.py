#!/usr/bin/env python3
"""The peer of rocplot's benchmark: the same job done with pandas and scikit-learn.

Usage: roc_sklearn.py SCORES   (lines of "score,class")
Prints the AUC and the best point's distance from the diagonal.
"""
import sys

import numpy as np
import pandas as pd
from sklearn.metrics import auc, roc_curve


def main():
    table = pd.read_csv(sys.argv[1], header=None, names=["score", "cls"],
                        dtype={"score": np.float32, "cls": np.int64})
    fpr, tpr, _ = roc_curve(table["cls"], table["score"])
    best = np.max(np.abs(tpr - fpr)) / np.sqrt(2)
    print(f"AUC = {auc(fpr, tpr):.3f}  Dmax = {best:.3f}")


if __name__ == "__main__":
    main()
