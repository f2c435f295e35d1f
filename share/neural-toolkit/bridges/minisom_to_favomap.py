#!/usr/bin/python3
"""A map trained with Python's MiniSom, as the files Favomap5 draws.

    minisom_to_favomap.py MAP.pickle DATA OUT [--classes FILE] [--labels FILE]

MAP.pickle holds a trained MiniSom (pickle.dump(som, f)) with
topology="hexagonal"; DATA the objects as the map was trained on them (one
line per object, values separated by blanks, tabs or commas; or a NumPy .npy
file).  The script writes OUT.bmu (each object's unit), OUT.wgt (each unit's
weights) and, with --classes, OUT.cls (a class per unit) and OUT.names (the
class names, for --class-names):

    Favomap5 --bmu OUT.bmu --option 4 --classes OUT.cls --output map.png

From Python: minisom_to_favomap(som, data, "OUT", classes=None, labels=None).

How the rows and columns are numbered
    MiniSom(x, y, ...) holds its units in an x-by-y array: unit (i, j), both
    counted from 0, has weights get_weights()[i, j] and lies at
    get_euclidean_coordinates()[0][i, j], [1][i, j]: i runs along a row (the
    horizontal coordinate), j is the row (the vertical coordinate, which
    grows upward in MiniSom's plots, so row 0 is the BOTTOM row).  On a
    hexagonal map every other row is shifted half a cell to the left, counted
    from the last row (j = y - 1, y - 3, ...); the script reads the shift from
    the map's own coordinates.
    Favomap5 counts rows 1..nRows from the TOP and columns 1..nCols from the
    left, both from 1, and draws its even rows (2, 4, ...) half a cell to the
    right.
    When MiniSom's top row lies left of the row below it (always, in the
    MiniSom versions with a hexagonal topology), the rows are flipped:
    Favomap5's row r is MiniSom's row j = y - r, its column c is i = c - 1, and
    the picture is the one MiniSom's hexagonal plots show.  Otherwise the map
    is turned half a turn (180 degrees): row r is j = r - 1 and column c is
    i = x - c.  Either way every unit has the same neighbours in both
    programs.  The map is y rows of x units: OUT.bmu's third line is "y,x".

What is written
    OUT.bmu: "hexa", the number of objects, "nRows,nCols", then
      "label,row,col" per object in the order of DATA, the unit being
      som.winner(object).  Labels come from --labels FILE (one a line) or are
      the object numbers 1, 2, ...; a comma, double quote, blank, tab or line
      end in a label becomes "_", since Favomap5 splits labels there.
    OUT.wgt: a title line, "nRows nCols nVars", then one line per unit in
      Favomap5's row order with its weights.
    OUT.cls: --classes FILE gives one class per line, a line per object.
      Classes are numbered 1..k in the sorted order of their names.  A unit
      takes the class most of its objects have (a tie goes to the lower
      number); a unit no object maps to gets class 0.  At most 15 classes.
    OUT.names: the names of the classes on the map, lowest number first (the
      order --class-names reads them), "(no object)" for class 0.

Refused, with the reason: a rectangular topology (Favomap5 draws hexagons,
and a rectangular unit's neighbours are not a hexagon's), more than 15
classes, data of another width than the map's weights.
"""
import argparse
import os
import pickle
import re
import sys

import numpy

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bridge_files import OutputRefused, write_files  # noqa: E402


class BridgeError(Exception):
    """A map or an input the bridge refuses, with the reason."""


def unit_coordinates(som):
    """MiniSom's unit coordinates: two x-by-y arrays, indexed [i, j]."""
    if hasattr(som, "get_euclidean_coordinates"):
        return som.get_euclidean_coordinates()
    return som._xx.T, som._yy.T  # MiniSom before get_euclidean_coordinates


def favomap_units(xx, source):
    """Favomap5's (row, col) of every unit (i, j), from the horizontal
    coordinates xx[i, j] (j the row, from the bottom)."""
    n_cols, n_rows = xx.shape
    if n_cols > 1 and numpy.any(numpy.abs(numpy.diff(xx, axis=0) - 1) > 1e-9):
        raise BridgeError("%s: the units of a row are not one apart" % source)
    turned = n_rows > 1 and xx[0, n_rows - 1] > xx[0, n_rows - 2]
    i, j = numpy.meshgrid(numpy.arange(n_cols), numpy.arange(n_rows), indexing="ij")
    row = j + 1 if turned else n_rows - j
    col = n_cols - i if turned else i + 1
    # Favomap5's picture: even rows half a cell right of the odd ones.
    fx = -xx if turned else xx
    expected = (col - 1) + numpy.where(row % 2 == 0, 0.5, 0.0)
    origin = fx[(row == 1) & (col == 1)][0]
    if numpy.any(numpy.abs(fx - origin - expected) > 1e-9):
        raise BridgeError("%s: the rows are not shifted alternately by half a cell" % source)
    return row, col


def clean_label(label):
    label = re.sub(r'[,"\s]', "_", str(label))
    return label or "_"


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


def class_numbers(classes, n_objects, source):
    """The class names in order and each object's class number (1..k)."""
    if len(classes) != n_objects:
        raise BridgeError("%s: %d classes given for %d objects" % (source, len(classes), n_objects))
    names = sorted(set(str(c) for c in classes))
    if len(names) > 15:
        raise BridgeError("%s: there are %d classes; Favomap5 colours 15 "
                          "(1..15, 0 for a unit with no object)" % (source, len(names)))
    number = {name: k for k, name in enumerate(names, start=1)}
    return names, [number[str(c)] for c in classes]


def unit_classes(winners, numbers, n_classes, shape):
    """The class most objects of a unit have (the lower on a tie), 0 if none."""
    counts = numpy.zeros(shape + (n_classes + 1,), dtype=int)
    for (i, j), k in zip(winners, numbers):
        counts[i, j, k] += 1
    counts[:, :, 0] = 0
    best = counts.argmax(axis=2)  # the first of the largest
    return numpy.where(counts.max(axis=2) > 0, best, 0)


def minisom_to_favomap(som, data, out, classes=None, labels=None, source="map", inputs=()):
    """Writes OUT.bmu, OUT.wgt and, with classes, OUT.cls and OUT.names, all whole or none,
    never over one of "inputs" (paths)."""
    topology = getattr(som, "topology", "rectangular")
    if topology != "hexagonal":
        raise BridgeError(
            "%s: the topology is %s; Favomap5 draws hexagonal maps only (a unit of this grid "
            "has other neighbours than a hexagon has): train with "
            "MiniSom(..., topology=\"hexagonal\")" % (source, topology))
    weights = numpy.asarray(som.get_weights())
    data = numpy.asarray(data, dtype=float)
    if data.ndim != 2 or data.shape[1] != weights.shape[2]:
        raise BridgeError("%s: the data have %s values an object, the map's weights %d"
                          % (source, data.shape[1:] or "no", weights.shape[2]))
    xx, _ = unit_coordinates(som)
    row, col = favomap_units(numpy.asarray(xx, dtype=float), source)
    n_cols, n_rows = row.shape
    winners = [tuple(int(v) for v in som.winner(x)) for x in data]
    if labels is None:
        labels = range(1, len(data) + 1)
    labels = [clean_label(s) for s in labels]
    if len(labels) != len(data):
        raise BridgeError("%s: %d labels given for %d objects" % (source, len(labels), len(data)))

    bmu = ["hexa", str(len(data)), "%d,%d" % (n_rows, n_cols)]
    bmu += ["%s,%d,%d" % (s, row[w], col[w]) for s, w in zip(labels, winners)]
    # The units in Favomap5's order: row by row from the top, left to right.
    order = sorted(numpy.ndindex(n_cols, n_rows), key=lambda u: (row[u], col[u]))
    wgt = ["MiniSom map %s" % source, "%d %d %d" % (n_rows, n_cols, weights.shape[2])]
    wgt += [" ".join(repr(float(v)) for v in weights[u]) for u in order]
    if classes is not None:
        names, numbers = class_numbers(classes, len(data), source)
    files = {out + ".bmu": crlf(bmu), out + ".wgt": crlf(wgt)}
    if classes is not None:
        per_unit = unit_classes(winners, numbers, len(names), (n_cols, n_rows))
        cls = [" ".join(str(per_unit[u]) for u in order[r * n_cols:(r + 1) * n_cols])
               for r in range(n_rows)]
        on_map = sorted(set(int(k) for k in per_unit.flat))
        files[out + ".cls"] = crlf(cls)
        files[out + ".names"] = crlf(["(no object)" if k == 0 else names[k - 1]
                                      for k in on_map])
    write_files(files, inputs)


def read_lines(path):
    with open(path) as f:
        return [line.strip() for line in f.read().splitlines() if line.strip()]


def read_data(path):
    if path.endswith(".npy"):
        return numpy.load(path)
    rows = [re.split(r"[\s,]+", line) for line in read_lines(path)]
    return numpy.array(rows, dtype=float)


def main(argv):
    parser = argparse.ArgumentParser(description="MiniSom map to Favomap5's files")
    parser.add_argument("map", help="a pickled MiniSom with a hexagonal topology")
    parser.add_argument("data", help="the objects, one a line (or a .npy file)")
    parser.add_argument("out", help="the files' name without .bmu, .wgt, .cls")
    parser.add_argument("--classes", help="a file of one class per object, one a line")
    parser.add_argument("--labels", help="a file of one label per object, one a line")
    args = parser.parse_args(argv)
    try:
        with open(args.map, "rb") as f:
            som = pickle.load(f)
        classes = read_lines(args.classes) if args.classes else None
        labels = read_lines(args.labels) if args.labels else None
        minisom_to_favomap(som, read_data(args.data), args.out, classes, labels, args.map,
                           [args.map, args.data, args.classes, args.labels])
    except (BridgeError, OutputRefused, OSError, ValueError) as error:
        sys.exit("minisom_to_favomap: %s" % error)


if __name__ == "__main__":
    main(sys.argv[1:])
