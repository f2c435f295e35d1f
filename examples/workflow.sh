#!/usr/bin/env bash
# From a table to every answer the toolkit gives, as a researcher would run it:
#
#   1. a CSV table with a header row (examples/ebp/cancer.csv: 30 scaled features of 569
#      tumours and the class, 1 malignant) becomes a pattern file with Colfold;
#   2. Yieldex applies the trained network (examples/ebp/cancer.wgt) to it: its errors, its
#      outputs as scores for rocplot and its confusion matrix for kappatest;
#   3. rocplot evaluates the scores as a classifier (the report and the picture);
#   4. kappatest measures the network's agreement with the truth;
#   5. Favomap5 draws a self-organizing map of the Iris flowers in their classes;
#   6. somtrain trains a map of the tumours from the same CSV table, and Favomap5 draws it.
#
# usage: examples/workflow.sh [BUILD_FOLDER [OUTPUT_FOLDER]]
#   BUILD_FOLDER   where ./run build put the programs; without it (or with an empty
#                  one) the programs on PATH, as an installed package puts them
#   OUTPUT_FOLDER  where the files go (default: ./workflow); made when missing
# Every command is printed before it runs, ready to copy.
set -euo pipefail
examples=$(cd "$(dirname "$0")" && pwd)
build=${1:+$(cd "$1" && pwd)}
out=${2:-$PWD/workflow}
# No window: the pictures are saved, and no program waits for a key.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen

show() { printf '$'; printf ' %q' "$@"; printf '\n'; }
step() { show "$@"; "$@" </dev/null; }

# A program of the build folder, or by its name alone when it is on PATH.
program() {
  local name
  name=$(basename "$1")
  if [ -n "$build" ]; then
    echo "$build/$1"
  elif command -v "$name" >/dev/null; then
    echo "$name"
  else
    echo "workflow: $name is not on PATH; name the build folder: $0 BUILD_FOLDER" >&2
    exit 1
  fi
}
colfold=$(program colfold/Colfold)
yieldex=$(program ebp/yieldex/Yieldex)
rocplot=$(program roc/rocplot)
kappatest=$(program kappa/kappatest)
favomap=$(program map/Favomap5)
somtrain=$(program som/somtrain)
mkdir -p "$out"
cd "$out"

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

echo "# 6. A map of the tumours trained from the CSV table, drawn by a feature and by class"
step "$somtrain" "$examples/ebp/cancer.csv" --header --classes 31 --scale-columns zscore \
  --rows 10 --cols 14 --out cancer_map
step "$favomap" --bmu cancer_map.bmu --option 2 --wgt cancer_map.wgt --var 1 --distance \
  --output cancer_map_radius.png
step "$favomap" --bmu cancer_map.bmu --option 4 --classes cancer_map.cls \
  --output cancer_map_classes.png
