#!/usr/bin/env bash
# From a table to every answer the toolkit gives, as a researcher would run it:
#
#   1. a CSV table with a header row (examples/ebp/cancer.csv: 30 scaled features of 569
#      tumours and the class, 1 malignant) becomes a pattern file with Colfold;
#   2. Yieldex applies the trained network (examples/ebp/cancer.wgt) to it: its errors, its
#      outputs as scores for rocplot and its confusion matrix for kappatest;
#   3. rocplot evaluates the scores as a classifier (the report and the picture);
#   4. kappatest measures the network's agreement with the truth;
#   5. Favomap5 draws a self-organizing map of the Iris flowers in their classes.
#
# usage: examples/workflow.sh [BUILD_FOLDER [OUTPUT_FOLDER]]
#   BUILD_FOLDER   where ./run build put the programs (default: build/ beside examples/)
#   OUTPUT_FOLDER  where the files go (default: ./workflow); made when missing
# Every command is printed before it runs, ready to copy.
set -euo pipefail
examples=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$examples/../build}" && pwd)
out=${2:-$PWD/workflow}
mkdir -p "$out"
cd "$out"
# No window: the pictures are saved, and no program waits for a key.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen

show() { printf '$'; printf ' %q' "$@"; printf '\n'; }
step() { show "$@"; "$@" </dev/null; }

colfold=$build/colfold/Colfold
yieldex=$build/ebp/yieldex/Yieldex
rocplot=$build/roc/rocplot
kappatest=$build/kappa/kappatest
favomap=$build/map/Favomap5

echo "# 1. The table without its header row, as a pattern file: 30 inputs, 1 output"
printf '$ tail -n +2 %q > cancer_table.csv\n' "$examples/ebp/cancer.csv"
tail -n +2 "$examples/ebp/cancer.csv" > cancer_table.csv
patterns=$(wc -l < cancer_table.csv)
step "$colfold" cancer_table.csv cancer.pat 30 1 "$patterns"

echo "# 2. The network applied: errors, outputs, scores and confusion matrix"
step "$yieldex" cancer.pat --weights "$examples/ebp/cancer.wgt" --output cancer.out \
  --plot cancer_plot.png --scores cancer_scores.txt --confusion cancer_confusion.txt

echo "# 3. The scores as a classifier"
step "$rocplot" cancer_scores.txt --report --picture cancer_roc.png

echo "# 4. The network's agreement with the truth (answers: file, rank, level, no weights)"
printf '$ printf %s | %q\n' "'cancer_confusion.txt\\n2\\n\\n0\\n'" "$kappatest"
printf 'cancer_confusion.txt\n2\n\n0\n' | "$kappatest"

echo "# 5. A map: the Iris flowers' self-organizing map in their classes"
step "$favomap" --bmu "$examples/som/iris.bmu" --option 4 --classes "$examples/som/iris.cls" \
  --output iris_classes.png
