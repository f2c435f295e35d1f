#!/usr/bin/env python3
"""The peer of Yieldex's benchmark: the same job with numpy (on OpenBLAS).

Usage: yieldex_numpy.py PATTERNS WEIGHTS OUTPUT
Reads the patterns with numpy.loadtxt and the weights as one list of numbers, runs the network with matrix products and
the logistic function, writes the outputs with 15 significant digits and
prints the overall MSE.
"""
import sys

import numpy as np


def main():
    pat_path, wgt_path, out_path = sys.argv[1:4]
    with open(pat_path) as f:
        n_in, n_out, n_pat = (int(v) for v in f.readline().split())
        data = np.loadtxt(f, ndmin=2)
    numbers = open(wgt_path).read().split()
    n_hid = int(numbers[1])
    weights = np.array(numbers[3:], dtype=float)
    w1 = weights[:(n_in + 1) * (n_hid + 1)].reshape(n_in + 1, n_hid + 1)
    w2 = weights[(n_in + 1) * (n_hid + 1):].reshape(n_hid + 1, n_out)
    x = np.hstack([data[:, :n_in], np.ones((n_pat, 1))])
    hidden = 1 / (np.exp(-(x @ w1)) + 1)
    hidden[:, n_hid] = 1
    y = 1 / (np.exp(-(hidden @ w2)) + 1)
    np.savetxt(out_path, y, fmt="%.15g", delimiter=" ", newline="\r\n")
    print("MSE", float(np.mean((data[:, n_in:] - y) ** 2)))


if __name__ == "__main__":
    main()
