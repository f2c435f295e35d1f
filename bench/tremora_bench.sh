#!/usr/bin/env bash
# Whole-program benchmark of Tremora: 10,000 patterns, 50 inputs, 30 hidden
# nodes, 5 outputs, 10 noise levels and 10 random perturbations per pattern
# (5,000 perturbed passes over the patterns), against the numpy peer
# (bench/peers/tremora_numpy.py).  Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
SUMMARY="$(pwd)/bench/summary.py"
export SUMMARY
BUILD=${BUILD_DIR:?}
ROOT=$(pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/gen_network" 10000 50 30 5 "$WORK/sens"
printf '10\n0.01\n0.02\n0.03\n0.04\n0.05\n0.06\n0.07\n0.08\n0.09\n0.1\n' > "$WORK/noise.cfg"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY
echo "== Tremora: 10,000 patterns, 50 inputs, 30 hidden, 5 outputs, 10 levels, R = 10"
hyperfine --runs 2 --export-json "$WORK/ours.json" \
  "$BUILD/ebp/tremora/Tremora --noise $WORK/noise.cfg --results $WORK/ours.err $WORK/sens.pat $WORK/sens.wgt"
hyperfine --runs 1 --export-json "$WORK/peer.json" \
  "/usr/bin/python3 $ROOT/bench/peers/tremora_numpy.py $WORK/sens.pat $WORK/sens.wgt $WORK/noise.cfg $WORK/peer.err"
# Memory: every pattern is kept (each is used at every level and input), so
# the peak follows the pattern file: 200,000 patterns (99 MB), one level.
[ -s "$ROOT/bench/data/tremora200k.pat" ] || \
  "$BUILD/bench/gen_network" 200000 50 30 5 "$ROOT/bench/data/tremora200k"
printf '1\n0.01\n' > "$WORK/one.cfg"
/usr/bin/time -f "%e %M" -o "$WORK/memory.txt" "$BUILD/ebp/tremora/Tremora" --noise "$WORK/one.cfg" \
  --results "$WORK/memory.err" "$ROOT/bench/data/tremora200k.pat" "$ROOT/bench/data/tremora200k.wgt" \
  >/dev/null
/usr/bin/python3 - "$WORK" "$(stat -c %s "$ROOT/bench/data/tremora200k.pat")" <<'PY'
import json, sys
work, size = sys.argv[1], int(sys.argv[2])
seconds, peak = (float(x) for x in open(f"{work}/memory.txt").read().split())
ratio = peak * 1024 / size
print(f"Tremora on 200,000 patterns ({size / 1e6:.0f} MB): {seconds:.2f} s, peak {peak / 1024:.0f} MB, "
      f"{ratio:.2f}x the pattern file (target at most 2x)")
ours = json.load(open(f"{work}/ours.json"))["results"][0]["mean"]
peer = json.load(open(f"{work}/peer.json"))["results"][0]["mean"]
print(f"Tremora {ours:.2f} s, numpy peer {peer:.2f} s: Tremora is {peer / ours:.1f}x faster (target 2x)")
import os, subprocess
subprocess.run([os.environ["SUMMARY"], "add", "Tremora vs numpy", f"{peer / ours:.1f}x ({ours:.2f} s)",
                ">= 2x", "yes" if peer / ours >= 2 else "no"], check=True)
subprocess.run([os.environ["SUMMARY"], "add", "Tremora peak / pattern file", f"{ratio:.2f}x ({peak / 1024:.0f} MB)",
                "<= 2x", "yes" if ratio <= 2 else "no"], check=True)
PY
