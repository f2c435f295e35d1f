#!/usr/bin/python3
"""The map bridges on real maps, checked against what Favomap5 draws.

kohonen maps are trained in R on iris (hexagonal grids with an even and an
odd number of rows, classes given as a file or learnt as a factor by xyf);
MiniSom maps come from a stand-in with MiniSom's hexagonal coordinates.
Each bridge's files are drawn by Favomap5 with --table, and Favomap5's units
are told apart by the weights it shows, so the test does not lean on the
bridge's own numbering.  For every map:
  - Favomap5 reads the files without a word on standard error;
  - each object is drawn in the unit whose weights are those of the unit the
    tool gave it;
  - two units are neighbours on Favomap5's lattice (centres one cell apart)
    exactly when they are neighbours for the tool (kohonen's unit.distances
    of 1; MiniSom's coordinates one apart);
  - each unit shows the class most of its objects have, 0 when it has none,
    and the class names file names every class on the map.
Maps the bridges must refuse (rectangular, toroidal, more than 15 classes)
are refused with the reason, and nothing is written.

    map_bridges_test.py FAVOMAP5 BRIDGES_FOLDER
"""
import csv
import os
import pickle
import shutil
import subprocess
import sys
import tempfile

import numpy

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from minisom_standin import MiniSom  # noqa: E402

TRAIN_KOHONEN = r"""
suppressPackageStartupMessages(library(kohonen))
work <- commandArgs(TRUE)[1]
x <- scale(as.matrix(iris[, 1:4]))
set.seed(7)
maps <- list(
  kohonen_even = som(x, grid = somgrid(5, 4, "hexagonal"), rlen = 30),
  kohonen_odd = xyf(x, iris$Species, grid = somgrid(4, 3, "hexagonal"), rlen = 30),
  kohonen_rect = som(x, grid = somgrid(4, 3, "rectangular"), rlen = 5),
  kohonen_torus = som(x, grid = somgrid(4, 4, "hexagonal", toroidal = TRUE), rlen = 5))
for (name in names(maps)) {
  m <- maps[[name]]
  out <- function(ext) file.path(work, paste0(name, ext))
  saveRDS(m, out(".rds"))
  write.table(m$codes[[1]], out(".codes"), row.names = FALSE, col.names = FALSE)
  writeLines(as.character(m$unit.classif - 1), out(".units"))
  d <- unit.distances(m$grid)
  pairs <- which(abs(d - 1) < 1e-6 & upper.tri(d), arr.ind = TRUE) - 1
  write.table(pairs, out(".pairs"), row.names = FALSE, col.names = FALSE)
}
writeLines(as.character(iris$Species), file.path(work, "species"))
write.table(x, file.path(work, "iris"), row.names = FALSE, col.names = FALSE)
"""

# (name, tool, map's training, classes file)
MAPS = [
    ("kohonen_even", "kohonen", None, "species"),
    ("kohonen_odd", "kohonen", None, None),  # classes from xyf's factor
    ("minisom_even", "minisom", (6, 4), "species"),
    ("minisom_odd", "minisom", (5, 3), "species"),
]

# (map, tool, map's training, classes file, words the refusal must hold)
REFUSED = [
    ("kohonen_rect", "kohonen", None, None, "rectangular"),
    ("kohonen_torus", "kohonen", None, None, "toroidal"),
    ("minisom_rect", "minisom", (5, 3), None, "rectangular"),
    ("kohonen_even", "kohonen", None, "sixteen", "16 classes"),
    ("minisom_even", "minisom", (6, 4), "sixteen", "16 classes"),
    # outputs that must not be written: one of the inputs, and a pipe behind a link (as a
    # device would be, but harmless should a bridge write over it)
    ("kohonen_even", "kohonen", None, "refused.cls", "is one of the inputs"),
    ("minisom_even", "minisom", (6, 4), "refused.cls", "is one of the inputs"),
    ("kohonen_even", "kohonen", None, None, "not a regular file"),
    ("minisom_even", "minisom", (6, 4), None, "not a regular file"),
]


class Failures:
    def __init__(self):
        self.count = 0

    def check(self, ok, name, text):
        if not ok:
            self.count += 1
            print("%s: %s" % (name, text))


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def make_minisom(work, name, shape, topology, data):
    """Trains nothing: the stand-in's weights are distinct objects of the
    data, so each unit wins at least its own; the tool's truth is what the
    stand-in says."""
    som = MiniSom(shape[0], shape[1], 4, topology=topology, random_seed=3)
    picked = numpy.random.RandomState(3).permutation(len(data))[:shape[0] * shape[1]]
    som.get_weights()[...] = data[picked].reshape(shape + (4,))
    with open(os.path.join(work, name + ".pickle"), "wb") as f:
        pickle.dump(som, f)
    numpy.savetxt(os.path.join(work, name + ".data"), data)
    units = list(numpy.ndindex(shape))  # unit (i, j), numbered as here
    xx, yy = som.get_euclidean_coordinates()
    pairs = [(a, b) for a in range(len(units)) for b in range(a + 1, len(units))
             if abs(numpy.hypot(xx[units[a]] - xx[units[b]], yy[units[a]] - yy[units[b]]) - 1)
             < 1e-9]
    weights = numpy.array([som.get_weights()[u] for u in units])
    winners = [units.index(tuple(int(v) for v in som.winner(x))) for x in data]
    return weights, winners, set(pairs)


def read_kohonen_truth(work, name):
    def path(ext):
        return os.path.join(work, name + ext)
    weights = numpy.loadtxt(path(".codes"))
    winners = [int(v) for v in open(path(".units")).read().split()]
    pairs = {tuple(sorted(map(int, line.split()))) for line in open(path(".pairs"))}
    return weights, winners, pairs


def bridge(tool, bridges, work, name, classes_file, out):
    source = os.path.join(work, name)
    extra = ["--classes", os.path.join(work, classes_file)] if classes_file else []
    if tool == "kohonen":
        args = ["Rscript", os.path.join(bridges, "kohonen_to_favomap.R"), source + ".rds", out]
    else:
        args = ["/usr/bin/python3", os.path.join(bridges, "minisom_to_favomap.py"),
                source + ".pickle", source + ".data", out]
    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.abspath(__file__)),
               PYTHONDONTWRITEBYTECODE="1")
    return run(args + extra, env=env)


def favomap_table(favomap, work, name, options):
    table = os.path.join(work, name + ".tsv")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    ran = run([favomap, "--bmu", name + ".bmu", "--output", name + ".png", "--table", table]
              + options, cwd=work, env=env)
    with open(table, newline="") as f:
        rows = list(csv.DictReader(f, delimiter="\t")) if ran.returncode == 0 else []
    return ran, rows


def check_map(failures, favomap, work, name, truth, species):
    weights, winners, pairs = truth
    ran, rows = favomap_table(favomap, work, name,
                              ["--option", "2", "--wgt", name + ".wgt", "--histogram"])
    failures.check(ran.returncode == 0 and ran.stderr == "", name,
                   "Favomap5 on the .bmu and .wgt: exit %d, %r" % (ran.returncode, ran.stderr))
    if not rows:
        return
    # Favomap5's units, told apart by their weights: the tool's unit of each.
    drawn = numpy.array([[float(r["variable_%d" % (v + 1)]) for v in range(weights.shape[1])]
                         for r in rows])
    match = [int(numpy.abs(weights - w).max(axis=1).argmin()) for w in drawn]
    failures.check(
        sorted(match) == list(range(len(weights))) and
        all(numpy.allclose(drawn[k], weights[match[k]], rtol=1e-6, atol=1e-6)
            for k in range(len(rows))),
        name, "Favomap5's units do not hold the tool's weights one to one")
    # (a) each object in the unit the tool gave it.
    unit_of_label = {}
    for k, r in enumerate(rows):
        for label in filter(None, r["labels"].split(";")):
            unit_of_label[label] = match[k]
    wrong = [n for n in range(1, len(winners) + 1) if unit_of_label.get(str(n)) != winners[n - 1]]
    failures.check(not wrong, name,
                   "objects drawn in another unit than the tool's: %s" % wrong[:10])
    # (b) neighbours on Favomap5's lattice are the tool's neighbours.
    centre = [(float(r["x"]), float(r["y"])) for r in rows]
    drawn_pairs = {tuple(sorted((match[a], match[b])))
                   for a in range(len(rows)) for b in range(a + 1, len(rows))
                   if numpy.hypot(centre[a][0] - centre[b][0], centre[a][1] - centre[b][1]) < 1.2}
    failures.check(drawn_pairs == pairs, name,
                   "neighbours only on Favomap5's lattice: %s, only for the tool: %s"
                   % (sorted(drawn_pairs - pairs), sorted(pairs - drawn_pairs)))
    # The classes: the one most objects of the unit have, 0 for none.
    ran, rows = favomap_table(favomap, work, name + "_classes",
                              ["--bmu", name + ".bmu", "--option", "4", "--classes", name + ".cls",
                               "--style", "paper", "--class-names", name + ".names"])
    failures.check(ran.returncode == 0 and ran.stderr == "", name,
                   "Favomap5 on the .bmu, .cls and .names: exit %d, %r"
                   % (ran.returncode, ran.stderr))
    names = sorted(set(species))
    for r in rows:
        counts = [0] * (len(names) + 1)
        for label in filter(None, r["labels"].split(";")):
            counts[names.index(species[int(label) - 1]) + 1] += 1
        want = counts.index(max(counts)) if max(counts) > 0 else 0
        failures.check(int(r["class"]) == want, name, "unit %s,%s shows class %s, its objects %s"
                       % (r["row"], r["column"], r["class"], counts[1:]))


def main():
    favomap = os.path.abspath(sys.argv[1])
    bridges = os.path.abspath(sys.argv[2])
    failures = Failures()
    with tempfile.TemporaryDirectory() as work:
        trained = run(["Rscript", "-e", TRAIN_KOHONEN, work])
        if trained.returncode != 0:
            sys.exit("R could not train the kohonen maps: %s" % trained.stderr)
        data = numpy.loadtxt(os.path.join(work, "iris"))
        species = open(os.path.join(work, "species")).read().split()
        for name, tool, shape, classes_file in MAPS:
            if tool == "minisom":
                truth = make_minisom(work, name, shape, "hexagonal", data)
            else:
                truth = read_kohonen_truth(work, name)
            made = bridge(tool, bridges, work, name, classes_file, os.path.join(work, name))
            failures.check(made.returncode == 0, name,
                           "the bridge: exit %d, %r" % (made.returncode, made.stderr))
            if made.returncode == 0:
                check_map(failures, favomap, work, name, truth, species)
        with open(os.path.join(work, "sixteen"), "w") as f:
            f.writelines("class%d\n" % (n % 16) for n in range(len(data)))
        for name, tool, shape, classes_file, reason in REFUSED:
            if tool == "minisom" and reason == "rectangular":
                make_minisom(work, name, shape, "rectangular", data)
            out = os.path.join(work, "refused")
            for ext in (".bmu", ".wgt", ".cls", ".names"):
                if os.path.lexists(out + ext):
                    os.unlink(out + ext)
            if classes_file == "refused.cls":
                shutil.copy(os.path.join(work, "species"), out + ".cls")
            if reason == "not a regular file":
                pipe = os.path.join(work, "pipe")
                if not os.path.exists(pipe):
                    os.mkfifo(pipe)
                os.symlink(pipe, out + ".wgt")
            made = bridge(tool, bridges, work, name, classes_file, out)
            kept = classes_file != "refused.cls" or (
                open(out + ".cls").read() == open(os.path.join(work, "species")).read())
            failures.check(made.returncode == 1 and reason in made.stderr and kept and
                           not os.path.exists(out + ".bmu"), name,
                           "not refused for its %s: exit %d, %r"
                           % (reason, made.returncode, made.stderr))
    sys.exit(1 if failures.count else 0)


if __name__ == "__main__":
    main()
