#!/usr/bin/env python3
"""Writes the expected roc.prn of a score file, for the end-to-end tests.

Usage: make_expected.py SCORES > EXPECTED.prn

An implementation of the sweep independent of the C++ one: it reads the
tokens with its own loop, keeps scores and rates as numpy float32, compares
every record with every accumulated double threshold and formats each value
with "%.7g".  Run it again only when a test input changes.
"""
import sys

import numpy as np

SEPARATORS = " \t,\r\n"


def tokens(data):
    i, n = 0, len(data)
    while True:
        while i < n and data[i] in " \t":
            i += 1
        start = i
        while i < n and data[i] not in SEPARATORS:
            i += 1
        yield data[start:i]
        while i < n and data[i] in " \t":
            i += 1
        if i < n and data[i] == ",":
            i += 1
        elif i < n and data[i] == "\n":
            i += 1
        elif i < n and data[i] == "\r":
            i += 1
            if i < n and data[i] == "\n":
                i += 1
        if i >= n:
            return


def number(token):
    return float(token.replace("d", "e").replace("D", "e")) if token else 0.0


def whole(token):
    if not token:
        return 0
    if token.lstrip("+-").isdigit():
        return int(token)
    return int(round(number(token)))  # round() takes halves to even


def records(data):
    stream = tokens(data)
    result = []
    for score in stream:
        cls = next(stream, "")
        result.append((np.float32(number(score)), whole(cls) & 0xFF))
    return result


def rate(a, b):
    with np.errstate(divide="ignore", invalid="ignore"):
        return np.float32(np.float64(a) / np.float64(b))


def sweep(recs):
    fpr = [np.float32(0)] * 101
    tpr = [np.float32(0)] * 101
    t, k = 0.0, 0
    while t <= 1.0:
        tp = fp = fn = tn = 0
        for score, cls in recs:
            p = 1 if float(score) > t else 0
            if p + cls == 2:
                tp += 1
            if p + cls == 0:
                tn += 1
            if p == 1 and cls == 0:
                fp += 1
            if p == 0 and cls == 1:
                fn += 1
        tpr[k] = rate(tp, fn + tp)
        fpr[k] = rate(fp, fp + tn)
        k += 1
        t = t + 0.01
    return fpr, tpr


def form(value):
    text = "%.7g" % float(value)
    return {"-nan": "nan", "-0": "0"}.get(text, text)


def main():
    data = open(sys.argv[1], "rb").read().decode("ascii")
    fpr, tpr = sweep(records(data))
    out = "1,1\r\n" + "".join(f"{form(f)},{form(t)}\r\n" for f, t in zip(fpr, tpr))
    sys.stdout.buffer.write(out.encode("ascii"))


if __name__ == "__main__":
    main()
