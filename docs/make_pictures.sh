#!/usr/bin/env bash
# Refreshes the pictures the README shows: runs ./run demo and copies a few
# of its pictures here (small exact bitmaps, as the programs draw them), and
# makes the figures for a paper of the programs that draw them.
set -euo pipefail
cd "$(dirname "$0")/.."
./run demo >/dev/null
for picture in roc/roc.png som/labels.png som/distances.png som/classes.png som/outlines.png \
               ebp/cancer_plot.png ebp/sensitivity.png; do
  cp "out/demo/$picture" "docs/$(basename "$picture")"
done
# The same data as figures for a paper (--style paper), at twice the size.
build="${BUILD_DIR:-build}"
"$build/roc/rocplot" examples/roc/breast_cancer_scores.txt --style paper --ci-band \
  --picture docs/roc_paper.png --scale 2 </dev/null >/dev/null
"$build/ebp/yieldex/Yieldex" examples/ebp/cancer.pat --output out/demo/ebp/paper.out \
  --plot docs/cancer_plot_paper.png --scale 2 --style paper --calibration >/dev/null
"$build/ebp/tremora/Tremora" --noise examples/ebp/noise.cfg --results out/demo/ebp/paper.err \
  --plot docs/sensitivity_paper.png --scale 2 --style paper --size 20x12 \
  examples/ebp/cancer.pat examples/ebp/cancer.wgt >/dev/null
som=examples/som
QT_QPA_PLATFORM=offscreen "$build/map/Favomap5" --bmu "$som/iris.bmu" --config "$som/Favomap5.cfg" \
  --option 4 --classes "$som/iris.cls" --style paper --title "Iris SOM, classes" \
  --output docs/classes_paper.png --scale 2 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/map/Favomap5" --bmu "$som/iris.bmu" --option 2 \
  --wgt "$som/iris.wgt" --var 3 --style paper --title "Iris SOM, petal length" \
  --output docs/petal_length_paper.png --scale 2 >/dev/null
ls -l docs/*.png
