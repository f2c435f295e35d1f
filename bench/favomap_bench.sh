#!/usr/bin/env bash
# Whole-program benchmarks of Favomap5:
#  (a) a generated 100 x 100 map, option 4, no labels, to PNG, against R's
#      kohonen package drawing the same map (bench/peers/kohonen_property.R);
#  (b) a generated 200 x 200 map with 100,000 objects, option 4, labels and a
#      1,000-step connected series;
#  (c) option 2 with Distance on a 200 x 200 map of 20 variables;
#  (d) option 3 on a 200 x 200 map where 400 objects (at most 1% of the units)
#      carry values: many interpolation sweeps;
#  (e) the map of (b) as SVG and as PDF drawings.
# Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
SUMMARY="$(pwd)/bench/summary.py"
export SUMMARY
BUILD=${BUILD_DIR:?}
ROOT=$(pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
cp "$ROOT/examples/som/Favomap5.cfg" .
"$BUILD/bench/gen_som" 100 100 0 m100
"$BUILD/bench/gen_som" 200 200 100000 m200
"$BUILD/bench/gen_som" 200 200 400 sparse 20
export QT_QPA_PLATFORM=offscreen
unset DISPLAY

echo "== Favomap5 (a): 100 x 100 map, class colours, no labels, PNG"
hyperfine --warmup 1 --runs 10 --export-json a.json \
  "$BUILD/map/Favomap5 --bmu m100.bmu --option 4 --classes m100.cls --output a.png" \
  "Rscript $ROOT/bench/peers/kohonen_property.R peer.png"
echo "== Favomap5 (b): 200 x 200 map, 100,000 objects, labels, 1,000-step series"
hyperfine --warmup 1 --runs 5 --export-json b.json \
  "$BUILD/map/Favomap5 --bmu m200.bmu --option 4 --classes m200.cls --first 1 --num 1000 --connect --output b.bmp"
echo "== Favomap5 (c) and (d): 200 x 200 maps, distances of 20 variables; interpolation"
hyperfine --warmup 1 --runs 3 --export-json cd.json \
  "$BUILD/map/Favomap5 --bmu sparse.bmu --option 2 --wgt sparse.wgt --var 3 --distance --output c.bmp" \
  "$BUILD/map/Favomap5 --bmu sparse.bmu --option 3 --data sparse.dat --output d.bmp"
echo "== Favomap5 (e): the map of (b) as SVG and PDF"
hyperfine --warmup 1 --runs 3 --export-json e.json \
  "$BUILD/map/Favomap5 --bmu m200.bmu --option 4 --classes m200.cls --first 1 --num 1000 --connect --output e.svg" \
  "$BUILD/map/Favomap5 --bmu m200.bmu --option 4 --classes m200.cls --first 1 --num 1000 --connect --output e.pdf"
E_SVG_MB=$(( $(stat -c %s e.svg) / 1000000 ))
export E_SVG_MB
/usr/bin/python3 - <<'PY'
import json, os
a = json.load(open("a.json"))["results"]
b = json.load(open("b.json"))["results"][0]["mean"]
c, d = (r["mean"] for r in json.load(open("cd.json"))["results"])
ours, peer = a[0]["mean"], a[1]["mean"]
print(f"(a) Favomap5 {ours:.3f} s, kohonen {peer:.3f} s: Favomap5 is {peer / ours:.1f}x faster (target 2x)")
print(f"(b) Favomap5 {b:.3f} s (target under 1 s)")
print(f"(c) option 2 with distances {c:.3f} s, (d) option 3 {d:.3f} s (target under 3 s each)")
svg, pdf = (r["mean"] for r in json.load(open("e.json"))["results"])
print(f"(e) SVG {svg:.3f} s, {os.environ['E_SVG_MB']} MB; PDF {pdf:.3f} s (target under 2 s, SVG under 100 MB)")
import os, subprocess
subprocess.run([os.environ["SUMMARY"], "add", "Favomap5 vs kohonen", f"{peer / ours:.1f}x ({ours:.2f} s)",
                ">= 2x", "yes" if peer / ours >= 2 else "no"], check=True)
PY
