#!/usr/bin/env python3
"""Makes iris_table.txt, the Colfold example: the Iris measurements as a table.

The Iris data (150 flowers) ships with Debian's python3-sklearn.  Each row holds
the four measurements scaled to [0, 1] and the species coded as three 0/1
columns (setosa, versicolor, virginica), the first columns separated by blanks
and the last ones by commas, as tables from old tools often are.  Colfold
turns it into a pattern file of 4 inputs, 3 outputs and 150 patterns.

Run with Debian's python3: /usr/bin/python3 make_table.py > iris_table.txt
"""
import sys

from sklearn.datasets import load_iris


def main():
    iris = load_iris()
    lo, hi = iris.data.min(axis=0), iris.data.max(axis=0)
    for row, species in zip((iris.data - lo) / (hi - lo), iris.target):
        code = ",".join("1" if s == species else "0" for s in range(3))
        sys.stdout.write(" ".join(f"{v:.4f}" for v in row) + "," + code + "\r\n")


if __name__ == "__main__":
    main()
