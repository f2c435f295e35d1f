#!/usr/bin/python3
"""Favomap5's --table read back by R and pandas with their defaults.

Labels that trip tab-separated readers (quotes, tabs, line ends, NUL, ESC,
";", bytes that are no UTF-8, blanks at the ends, "#", backslashes) come
from a .bmu file, one unit each, and one unit holds several.  R's
read.delim(FILE) and pandas' read_csv(FILE, sep="\\t") must read every row,
each with its unit, its object count and its labels in the escaped form the
table promises.

    table_readers_test.py FAVOMAP5
"""
import os
import subprocess
import sys
import tempfile

import pandas

# (the labels of one unit as the .bmu file writes them, the labels cell as read)
UNITS = [
    ([b'say "hi"'], 'say "hi"'),
    ([b'5"'], '5"'),
    ([b'a " b'], 'a " b'),
    ([b'"tab\there\t"'], "tab\\x09here\\x09"),
    ([b'"cr\rhere"'], "cr\\x0Dhere"),
    ([b'"lf\nhere"'], "lf\\x0Ahere"),
    ([b'"crlf\r\nhere"'], "crlf\\x0D\\x0Ahere"),
    ([b"nul\0here"], "nul\\x00here"),
    ([b"esc\x1b[31mred"], "esc\\x1B[31mred"),
    ([b"nel\xc2\x85del\x7f"], "nel\\xC2\\x85del\\x7F"),
    ([b"semi;colon"], "semi\\x3Bcolon"),
    ([b"bad\xff\xfe\x80end"], "bad\\xFF\\xFE\\x80end"),
    ([b"cut\xe2\x82"], "cut\\xE2\\x82"),
    ([b'"  both ends  "'], "  both ends  "),
    ([b'"   "'], "   "),
    ([b"# not a comment"], "# not a comment"),
    ([b"C:\\x41\\data\\"], "C:\\\\x41\\data\\"),
    ([b"caf\xc3\xa9 \xe2\x80\xa8 line separator"], "caf\u00e9 \u2028 line separator"),
    ([b"a;b", b'"  c  "', b'd"', b"e\\"], 'a\\x3Bb;  c  ;d";e\\'),
]


def write_bmu(path):
    records = []
    for col, (labels, _) in enumerate(UNITS, start=1):
        for label in labels:
            records.append(label + b",1,%d\r\n" % col)
    header = b"hexa\r\n%d\r\n1,%d\r\n" % (len(records), len(UNITS))
    with open(path, "wb") as f:
        f.write(header + b"".join(records))


def expected_rows():
    return [(col, len(labels), cell) for col, (labels, cell) in enumerate(UNITS, start=1)]


def read_with_pandas(path):
    frame = pandas.read_csv(path, sep="\t")
    return [(int(r["column"]), int(r["objects"]), r["labels"]) for _, r in frame.iterrows()]


R_SCRIPT = r"""
d <- read.delim(commandArgs(TRUE)[1])
hex <- function(s) paste(sprintf("%02x", as.integer(charToRaw(s))), collapse = "")
for (i in seq_len(nrow(d))) {
  cat(d$column[i], d$objects[i], hex(as.character(d$labels[i])), "\n")
}
"""


def read_with_r(path):
    run = subprocess.run(["Rscript", "-e", R_SCRIPT, path], capture_output=True)
    if run.returncode != 0:
        raise RuntimeError(run.stderr.decode(errors="replace"))
    rows = []
    for line in run.stdout.decode("ascii").splitlines():
        col, objects, *label = line.split()
        text = bytes.fromhex(label[0] if label else "").decode(errors="replace")
        rows.append((int(col), int(objects), text))
    return rows


def main():
    favomap = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        write_bmu(os.path.join(work, "hostile.bmu"))
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        run = subprocess.run(
            [favomap, "--bmu", "hostile.bmu", "--output", "m.bmp", "--table", "m.tsv"],
            cwd=work, env=env, capture_output=True)
        if run.returncode != 0:
            sys.exit("Favomap5 failed: %s" % run.stderr.decode(errors="replace"))
        table = os.path.join(work, "m.tsv")
        failures = 0
        for reader, read in (("pandas", read_with_pandas), ("R", read_with_r)):
            try:
                rows = read(table)
            except Exception as error:  # a reader that gives up fails the test too
                failures += 1
                print("%s could not read the table: %s" % (reader, error))
                continue
            if rows != expected_rows():
                failures += 1
                print("%s read %d rows of %d:" % (reader, len(rows), len(UNITS)))
                for got, want in zip(rows + [None] * len(UNITS), expected_rows()):
                    if got != want:
                        print("  got %r\n  for %r" % (got, want))
        sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
