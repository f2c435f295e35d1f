#!/usr/bin/env python3
"""The peer of Tremora's benchmark: the same sensitivity analysis with numpy.

Usage: tremora_numpy.py PATTERNS WEIGHTS NOISE RESULTS
For every noise level and every input, R rounds of random perturbations of
that input in every pattern (uniform, +-level, clamped to [0, 1]), each
round a full forward pass by matrix products; writes the errors like test.err.
"""
import sys

import numpy as np


def logistic(a):
    return 1 / (np.exp(-a) + 1)


def main():
    pat_path, wgt_path, noise_path, out_path = sys.argv[1:5]
    with open(pat_path) as f:
        n_in, n_out, n_pat = (int(v) for v in f.readline().split())
        data = np.loadtxt(f, ndmin=2)
    numbers = open(wgt_path).read().split()
    n_hid = int(numbers[1])
    weights = np.array(numbers[3:], dtype=float)
    w1 = weights[:(n_in + 1) * (n_hid + 1)].reshape(n_in + 1, n_hid + 1)
    w2 = weights[(n_in + 1) * (n_hid + 1):].reshape(n_hid + 1, n_out)
    noise = open(noise_path).read().split()
    rounds, levels = int(noise[0]), [float(v) for v in noise[1:]]
    x = np.hstack([data[:, :n_in], np.ones((n_pat, 1))])
    targets = data[:, n_in:]
    rng = np.random.default_rng(1)

    def error(inputs):
        hidden = logistic(inputs @ w1)
        hidden[:, n_hid] = 1
        return float(np.sum((targets - logistic(hidden @ w2)) ** 2))

    lines = [f'"patterns","{pat_path}"', f'"weights","{wgt_path}"', f'"noise levels","{noise_path}"',
             f" {error(x) / n_pat:.15g} "]
    for level in levels:
        values = []
        for i in range(n_in):
            e = 0.0
            for _ in range(rounds):
                perturbed = x.copy()
                u = rng.random(n_pat, dtype=np.float32).astype(float)
                perturbed[:, i] = np.clip(x[:, i] + (u - 0.5) * 2 * level, 0, 1)
                e += error(perturbed)
            values.append(f" {e / n_pat / rounds:.15g} ")
        lines.append(",".join(values))
    with open(out_path, "w", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
