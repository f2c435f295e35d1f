#!/usr/bin/python3
"""kappatest's --fleiss and --ratings against the tools users trust.

Fleiss' kappa of tables of raters' labels, read as labels and as counts,
against statsmodels' fleiss_kappa; Cohen's kappa of two raters' labels,
unweighted and with linear and quadratic weights, against scikit-learn's
cohen_kappa_score.  The tables are drawn with a fixed seed, each tilted
toward agreement so that kappa is far from 0.

    kappa_peers_test.py KAPPATEST
"""
import os
import random
import subprocess
import sys
import tempfile

import numpy
from sklearn.metrics import cohen_kappa_score
from statsmodels.stats.inter_rater import aggregate_raters, fleiss_kappa

KAPPATEST = sys.argv[1]
failures = []


def run(folder, text, args):
    """kappatest's output for "text" written to a file, named after "args"."""
    path = os.path.join(folder, "in.txt")
    with open(path, "w") as f:
        f.write(text)
    done = subprocess.run([KAPPATEST] + args + [path], capture_output=True, text=True,
                          stdin=subprocess.DEVNULL, check=False)
    if done.returncode != 0:
        failures.append(f"{args}: exit {done.returncode}: {done.stderr}")
        return ""
    return done.stdout


def value(out, name):
    for line in out.splitlines():
        if line.startswith(name):
            return float(line[len(name):])
    return float("nan")


def check(what, ours, theirs):
    if not abs(ours - theirs) <= 1e-12:
        failures.append(f"{what}: kappatest {ours!r}, peer {theirs!r}")


def drawn(rng, subjects, raters, categories):
    rows = []
    for _ in range(subjects):
        favourite = rng.choice(categories)
        rows.append([favourite if rng.random() < 0.6 else rng.choice(categories)
                     for _ in range(raters)])
    return rows


def fleiss_cases(folder, rng):
    for subjects, raters, categories in [(30, 6, ["dep", "pers", "schiz", "neur", "other"]),
                                         (40, 3, ["1", "2", "3"]), (25, 10, ["a", "b"])]:
        rows = drawn(rng, subjects, raters, categories)
        table, _ = aggregate_raters(numpy.array(rows))
        theirs = fleiss_kappa(table, method="fleiss")
        labels = "\n".join(",".join(r) for r in rows) + "\n"
        check(f"fleiss labels {subjects}x{raters}",
              value(run(folder, labels, ["--fleiss"]), "kappa\t"), theirs)
        counts = "\n".join(" ".join(str(int(c)) for c in r) for r in table) + "\n"
        check(f"fleiss counts {subjects}x{raters}",
              value(run(folder, counts, ["--counts", "--fleiss"]), "kappa\t"), theirs)


def cohen_cases(folder, rng):
    for labels in [[1, 2, 5, 10, 20], [0, 1, 2], ["cat", "dog", "emu", "fox"]]:
        for weights in ["none", "linear", "quadratic"]:
            if isinstance(labels[0], str) and weights != "none":
                continue
            pairs = drawn(rng, 60, 2, labels)
            text = "first second\n" + "".join(f"{a} {b}\n" for a, b in pairs)
            out = run(folder, text, ["--header", "--weights", weights, "--ratings"])
            theirs = cohen_kappa_score([a for a, _ in pairs], [b for _, b in pairs],
                                       weights=None if weights == "none" else weights)
            check(f"cohen {labels} {weights}", value(out, "  kappa  ="), theirs)


def main():
    rng = random.Random(26)
    with tempfile.TemporaryDirectory() as folder:
        fleiss_cases(folder, rng)
        cohen_cases(folder, rng)
    for failure in failures:
        print(failure)
    print("kappa peers:", "FAILED" if failures else "ok")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
