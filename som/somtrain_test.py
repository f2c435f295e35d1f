#!/usr/bin/python3
"""somtrain end to end, on the Iris flowers and on a table of well separated
clusters drawn with a fixed seed:

- the map keeps the data's topology: topographic error under 0.1, and the
  units of each cluster (and of Iris setosa) form a connected region;
- the files are the same whatever the thread count;
- Favomap5 reads them without a warning, and its map of classes gives each
  unit the most frequent class of the objects the .bmu puts there;
- the quantization error is not above that of R's kohonen in batch mode on
  the same data, map size, epochs and Gaussian neighbourhood radii (skipped with a message when R or
  kohonen is missing: ./run setup installs them).

    somtrain_test.py SOMTRAIN FAVOMAP5 EXAMPLES_DIR
"""
import collections
import filecmp
import os
import random
import shutil
import subprocess
import sys
import tempfile

SOMTRAIN, FAVOMAP5, EXAMPLES = sys.argv[1:4]
ROWS, COLS, EPOCHS = 8, 10, 50
RADIUS = (6, 0.5)
failures = []


def iris_rows():
    """label, the four measurements, species: from the scaled Iris table."""
    species = ["setosa", "versicolor", "virginica"]
    rows = []
    with open(os.path.join(EXAMPLES, "colfold", "iris_table.txt")) as f:
        for i, line in enumerate(f):
            values, *flags = line.strip().split(",")
            kind = species[[float(x) for x in flags].index(1.0)]
            rows.append([f"{kind[:2]}{i + 1}"] + values.split() + [kind])
    return rows


def cluster_rows():
    """Four clusters of 60 objects in 6 variables, their centres 8 apart or more."""
    rng = random.Random(29)
    centres = []
    while len(centres) < 4:
        c = [rng.uniform(-10, 10) for _ in range(6)]
        if all(sum((a - b) ** 2 for a, b in zip(c, d)) >= 64 for d in centres):
            centres.append(c)
    rows = []
    for k, centre in enumerate(centres):
        for i in range(60):
            values = [f"{rng.gauss(m, 1):.5f}" for m in centre]
            rows.append([f"c{k}_{i}"] + values + [f"cluster{k}"])
    rng.shuffle(rows)
    return rows


def run(args):
    done = subprocess.run(args, capture_output=True, text=True, stdin=subprocess.DEVNULL,
                          check=False, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    if done.returncode != 0 or done.stderr:
        failures.append(f"{os.path.basename(args[0])} {args[1:]}: exit {done.returncode}, "
                        f"stderr {done.stderr!r}")
    return done.stdout


def named_values(out):
    return {name: float(value) for name, value in
            (line.split("\t") for line in out.splitlines() if "\t" in line)}


def neighbours(row, col):
    """The six units around (row, col), as the renderer's lattice places them."""
    even = row % 2 == 0
    return [(row - 1, col + 1 if even else col), (row, col + 1),
            (row + 1, col + 1 if even else col), (row + 1, col if even else col - 1),
            (row, col - 1), (row - 1, col if even else col - 1)]


def connected(units):
    units = set(units)
    if not units:
        return True
    seen, todo = set(), [next(iter(units))]
    while todo:
        unit = todo.pop()
        if unit in seen:
            continue
        seen.add(unit)
        todo.extend(n for n in neighbours(*unit) if n in units)
    return seen == units


def read_bmu(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    records = {}
    for line in lines[3:]:
        if line:
            label, row, col = line.split(",")
            records[label] = (int(row), int(col))
    return records


def check_map(folder, name, rows, regions):
    table = os.path.join(folder, name + ".csv")
    with open(table, "w") as f:
        f.write("\n".join(",".join(r) for r in rows) + "\n")
    prefix = os.path.join(folder, name)
    common = [SOMTRAIN, table, "--rows", str(ROWS), "--cols", str(COLS), "--labels", "1",
              "--classes", str(len(rows[0])), "--epochs", str(EPOCHS), "--radius", f"{RADIUS[0]}:{RADIUS[1]}"]
    out = named_values(run(common + ["--out", prefix, "--threads", "2"]))
    run(common + ["--out", prefix + "_1", "--threads", "1"])
    for ending in (".wgt", ".bmu", ".cls"):
        if not filecmp.cmp(prefix + ending, prefix + "_1" + ending, shallow=False):
            failures.append(f"{name}{ending}: not the same on 1 and 2 threads")
    if not out.get("topographic_error", 1) < 0.1:
        failures.append(f"{name}: topographic error {out.get('topographic_error')}")

    records = read_bmu(prefix + ".bmu")
    kind_of = {r[0]: r[-1] for r in rows}
    for kind in regions:
        units = [unit for label, unit in records.items() if kind_of[label] == kind]
        if not connected(units):
            failures.append(f"{name}: the units of {kind} are not one region: {sorted(units)}")

    # Favomap5 draws both maps without a warning; its table of the class map
    # gives each unit the most frequent class of its objects.
    picture = prefix + "_classes.png"
    run([FAVOMAP5, "--bmu", prefix + ".bmu", "--option", "2", "--wgt", prefix + ".wgt",
         "--distance", "--output", prefix + "_var1.png"])
    run([FAVOMAP5, "--bmu", prefix + ".bmu", "--option", "4", "--classes", prefix + ".cls",
         "--output", picture, "--table", prefix + "_classes.tsv"])
    number = {kind: k + 1 for k, kind in enumerate(sorted(set(kind_of.values())))}
    with open(prefix + "_classes.tsv") as f:
        header = f.readline().rstrip("\r\n").split("\t")
        for line in f:
            cell = dict(zip(header, line.rstrip("\r\n").split("\t")))
            labels = [x for x in cell["labels"].split(";") if x]
            counts = collections.Counter(number[kind_of[x]] for x in labels)
            expected = min(counts, key=lambda k: (-counts[k], k)) if counts else 0
            if int(cell["class"]) != expected:
                failures.append(f"{name}: unit {cell['row']},{cell['column']} drawn in class "
                                f"{cell['class']}, its objects' class is {expected}")
    return out


KOHONEN = """
library(kohonen)
a <- commandArgs(TRUE)
d <- read.csv(a[1], header = FALSE)
X <- as.matrix(d[, 2:(ncol(d) - 1)])
set.seed(1)
grid <- somgrid(as.integer(a[3]), as.integer(a[2]), "hexagonal", neighbourhood.fct = "gaussian")
m <- som(X, grid = grid, rlen = as.integer(a[4]), mode = "batch",
         radius = as.numeric(a[5:6]))
cat(mean(sqrt(rowSums((X - m$codes[[1]][m$unit.classif, ])^2))), "\\n")
"""


def kohonen_error(folder, name):
    script = os.path.join(folder, "kohonen.R")
    with open(script, "w") as f:
        f.write(KOHONEN)
    done = subprocess.run(["Rscript", script, os.path.join(folder, name + ".csv"), str(ROWS),
                           str(COLS), str(EPOCHS), str(RADIUS[0]), str(RADIUS[1])],
                          capture_output=True, text=True, check=False)
    if done.returncode != 0:
        failures.append(f"kohonen on {name}: {done.stderr}")
        return float("nan")
    return float(done.stdout)


def has_kohonen():
    if shutil.which("Rscript") is None:
        return False
    done = subprocess.run(["Rscript", "-e", "library(kohonen)"], capture_output=True, check=False)
    return done.returncode == 0


with tempfile.TemporaryDirectory() as folder:
    errors = {"iris": check_map(folder, "iris", iris_rows(), ["setosa"]),
              "clusters": check_map(folder, "clusters", cluster_rows(),
                                    [f"cluster{k}" for k in range(4)])}
    if has_kohonen():
        for name, out in errors.items():
            theirs = kohonen_error(folder, name)
            ours = out.get("quantization_error", float("inf"))
            print(f"{name}: quantization error {ours}, kohonen's {theirs}")
            if not ours <= theirs:
                failures.append(f"{name}: quantization error {ours} above kohonen's {theirs}")
    else:
        print("kohonen comparison skipped: R's kohonen is not installed (./run setup)")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
