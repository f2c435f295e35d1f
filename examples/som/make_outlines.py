#!/usr/bin/env python3
"""Makes the outline example: a SOM of elliptic Fourier descriptors of shapes.

Eighty closed outlines are generated from four honest families -- ellipses of
aspect 0.35..0.9 (el), eggs (eg), three-lobed (tr) and four-lobed (qu) shapes
-- each sampled at 256 points.  Their elliptic Fourier descriptors (Kuhl and
Giardina, four harmonics) are normalised for size, rotation and starting
point, which makes the first harmonic's a, b, c exactly 1, 0, 0; the thirteen
remaining coefficients (d1, then a, b, c, d of harmonics 2 to 4) are the
variables of a hexagonal SOM of 6 rows x 8 columns trained with numpy.
Writes outlines.wgt (13 coefficients per unit) and outlines.bmu (shape labels).

Run with Debian's python3 (python3-numpy): /usr/bin/python3 make_outlines.py
"""
import numpy as np

ROWS, COLS, HARMONICS = 6, 8, 4


def shape(kind, p, n=256):
    phi = np.linspace(0, 2 * np.pi, n, endpoint=False)
    if kind == "el":
        x, y = np.cos(phi), p * np.sin(phi)
    elif kind == "eg":
        r = 1 + p * np.cos(phi)
        x, y = r * np.cos(phi), 0.7 * r * np.sin(phi)
    else:
        lobes = 3 if kind == "tr" else 4
        r = 1 + p * np.cos(lobes * phi)
        x, y = r * np.cos(phi), r * np.sin(phi)
    return np.stack([x, y], axis=1)


def efd(contour, order):
    d = np.diff(np.vstack([contour, contour[:1]]), axis=0)
    dt = np.sqrt((d ** 2).sum(axis=1))
    t = np.concatenate([[0], np.cumsum(dt)])
    period = t[-1]
    coeffs = np.zeros((order, 4))
    for n in range(1, order + 1):
        const = period / (2 * n * n * np.pi * np.pi)
        phi = 2 * n * np.pi * t / period
        dcos = np.cos(phi[1:]) - np.cos(phi[:-1])
        dsin = np.sin(phi[1:]) - np.sin(phi[:-1])
        coeffs[n - 1] = const * np.array([
            (d[:, 0] / dt * dcos).sum(), (d[:, 0] / dt * dsin).sum(),
            (d[:, 1] / dt * dcos).sum(), (d[:, 1] / dt * dsin).sum()])
    return coeffs


def normalise(coeffs):
    a1, b1, c1, d1 = coeffs[0]
    theta = 0.5 * np.arctan2(2 * (a1 * b1 + c1 * d1), a1 ** 2 - b1 ** 2 + c1 ** 2 - d1 ** 2)
    out = coeffs.copy()
    for n in range(1, len(coeffs) + 1):
        rot = np.array([[np.cos(n * theta), -np.sin(n * theta)],
                        [np.sin(n * theta), np.cos(n * theta)]])
        out[n - 1] = (coeffs[n - 1].reshape(2, 2) @ rot).ravel()
    psi = np.arctan2(out[0, 2], out[0, 0])
    scale = np.hypot(out[0, 0], out[0, 2])
    spin = np.array([[np.cos(psi), np.sin(psi)], [-np.sin(psi), np.cos(psi)]])
    for n in range(len(out)):
        out[n] = (spin @ out[n].reshape(2, 2)).ravel() / scale
    return out


def lattice():
    return np.array([(c + (0.5 if r % 2 == 0 else 0.0), 0.87 * r)
                     for r in range(1, ROWS + 1) for c in range(1, COLS + 1)])


def main():
    rng = np.random.default_rng(3)
    labels, vectors = [], []
    families = {"el": (0.35, 0.9), "eg": (0.1, 0.3), "tr": (0.15, 0.35), "qu": (0.1, 0.3)}
    for kind, (lo, hi) in families.items():
        for i, p in enumerate(np.linspace(lo, hi, 20)):
            c = normalise(efd(shape(kind, p), HARMONICS)).ravel()
            labels.append(f"{kind}{i + 1:02d}")
            vectors.append(c[3:])  # a1, b1, c1 are 1, 0, 0
    data = np.array(vectors)
    pos = lattice()
    weights = data[rng.choice(len(data), ROWS * COLS)].copy()
    steps = 5000
    for step in range(steps):
        frac = step / steps
        sigma = 2.5 * (0.4 / 2.5) ** frac
        alpha = 0.5 * (0.02 / 0.5) ** frac
        x = data[rng.integers(len(data))]
        best = np.argmin(((weights - x) ** 2).sum(axis=1))
        h = np.exp(-((pos - pos[best]) ** 2).sum(axis=1) / (2 * sigma * sigma))
        weights += alpha * h[:, None] * (x - weights)
    with open("outlines.wgt", "w", newline="\r\n") as out:
        out.write("Outline SOM: normalised elliptic Fourier coefficients d1, then a, b, c, d of harmonics 2 to 4\n")
        out.write(f"{ROWS} {COLS} {data.shape[1]}\n")
        for w in weights:
            out.write(" ".join(f"{v:.6f}" for v in w) + "\n")
    with open("outlines.bmu", "w", newline="\r\n") as out:
        out.write(f"hexa\n{len(data)}\n{ROWS},{COLS}\n")
        for label, x in zip(labels, data):
            unit = int(np.argmin(((weights - x) ** 2).sum(axis=1)))
            out.write(f"{label},{unit // COLS + 1},{unit % COLS + 1}\n")


if __name__ == "__main__":
    main()
