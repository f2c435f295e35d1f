#!/usr/bin/env bash
# Refreshes the pictures the README shows: runs ./run demo and copies a few
# of its pictures here (small exact bitmaps, as the programs draw them).
set -euo pipefail
cd "$(dirname "$0")/.."
./run demo >/dev/null
for picture in roc/roc.png som/labels.png som/distances.png som/classes.png som/outlines.png \
               ebp/cancer_plot.png ebp/sensitivity.png; do
  cp "out/demo/$picture" "docs/$(basename "$picture")"
done
# The same data as figures for a paper (--style paper).
build=${BUILD_DIR:-build}
"$build/roc/rocplot" examples/roc/breast_cancer_scores.txt --style paper --ci-band \
  --picture docs/roc_paper.png </dev/null >/dev/null
ls -l docs/*.png
