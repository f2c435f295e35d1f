#!/usr/bin/env python3
"""Trains the example map: a hexagonal SOM of 8 rows x 12 columns on the Iris data.

The Iris measurements (150 flowers, 4 variables) ship with Debian's
python3-sklearn.  The variables are scaled to 0..1 and a plain online SOM
(Gaussian neighbourhood on the hexagonal lattice that Favomap5 draws: even
rows offset half a unit to the right, rows 0.87 apart) is trained with numpy.
Writes, in the layouts Favomap5 reads:

  iris.bmu      grid type, object count, rows and columns, then one record
                "label,row,column" per flower (se01..se50, ve01.., vi01..)
  iris.wgt      a comment line, "rows columns variables", then one line of
                weights per unit, row by row
  iris.cls      a class per unit, row by row: the species most of its flowers
                belong to (1 setosa, 2 versicolor, 3 virginica), or, for a unit
                without flowers, the species whose mean is nearest its weights
  iris_ext.dat  two external variables per flower: petal area and sepal area (cm2)

Run with Debian's python3: /usr/bin/python3 make_som.py
"""
import numpy as np
from sklearn.datasets import load_iris

ROWS, COLS = 8, 12
SPECIES = ["se", "ve", "vi"]


def lattice():
    pos = []
    for r in range(1, ROWS + 1):
        for c in range(1, COLS + 1):
            pos.append((c + (0.5 if r % 2 == 0 else 0.0), 0.87 * r))
    return np.array(pos)


def train(data, rng):
    pos = lattice()
    weights = data[rng.choice(len(data), ROWS * COLS)] + rng.normal(0, 0.01, (ROWS * COLS, 4))
    steps = 6000
    for t in range(steps):
        frac = t / steps
        sigma = 3.0 * (0.4 / 3.0) ** frac
        alpha = 0.5 * (0.02 / 0.5) ** frac
        x = data[rng.integers(len(data))]
        best = np.argmin(((weights - x) ** 2).sum(axis=1))
        d2 = ((pos - pos[best]) ** 2).sum(axis=1)
        h = np.exp(-d2 / (2 * sigma * sigma))
        weights += alpha * h[:, None] * (x - weights)
    return weights


def main():
    iris = load_iris()
    raw = iris.data
    data = (raw - raw.min(axis=0)) / (raw.max(axis=0) - raw.min(axis=0))
    rng = np.random.default_rng(7)
    weights = train(data, rng)
    best = [int(np.argmin(((weights - x) ** 2).sum(axis=1))) for x in data]
    counters = [0, 0, 0]
    with open("iris.bmu", "w", newline="\r\n") as out:
        out.write(f"hexa\n{len(data)}\n{ROWS},{COLS}\n")
        for unit, species in zip(best, iris.target):
            counters[species] += 1
            out.write(f"{SPECIES[species]}{counters[species]:02d},{unit // COLS + 1},{unit % COLS + 1}\n")
    with open("iris.wgt", "w", newline="\r\n") as out:
        out.write("Iris SOM weights: sepal length, sepal width, petal length, petal width (scaled 0..1)\n")
        out.write(f"{ROWS} {COLS} 4\n")
        for w in weights:
            out.write(" ".join(f"{v:.6f}" for v in w) + "\n")
    means = np.array([data[iris.target == s].mean(axis=0) for s in range(3)])
    classes = []
    for unit in range(ROWS * COLS):
        hits = [iris.target[i] for i, b in enumerate(best) if b == unit]
        if hits:
            classes.append(int(np.bincount(hits, minlength=3).argmax()) + 1)
        else:
            classes.append(int(np.argmin(((means - weights[unit]) ** 2).sum(axis=1))) + 1)
    with open("iris.cls", "w", newline="\r\n") as out:
        for r in range(ROWS):
            out.write(" ".join(str(k) for k in classes[r * COLS:(r + 1) * COLS]) + "\n")
    with open("iris_ext.dat", "w", newline="\r\n") as out:
        for flower in raw:
            out.write(f"{flower[2] * flower[3]:.2f} {flower[0] * flower[1]:.2f}\n")


if __name__ == "__main__":
    main()
