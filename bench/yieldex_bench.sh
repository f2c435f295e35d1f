#!/usr/bin/env bash
# Whole-program benchmark of Yieldex: 1,000,000 generated patterns (50 inputs,
# 5 outputs) through a network of 30 hidden nodes, against the numpy peer
# (bench/peers/yieldex_numpy.py); also the forward pass alone against what
# the machine's cores can do.  Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD_DIR:?}
ROOT=$(pwd)
DATA=bench/data
mkdir -p "$DATA"
[ -s "$DATA/net1m.pat" ] || "$BUILD/bench/gen_network" 1000000 50 30 5 "$DATA/net1m"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
unset DISPLAY
echo "== Yieldex: 1,000,000 patterns, 50 inputs, 30 hidden, 5 outputs"
hyperfine --warmup 1 --runs 3 --export-json "$WORK/ours.json" \
  "$BUILD/ebp/yieldex/Yieldex $ROOT/$DATA/net1m.pat --output $WORK/ours.out"
hyperfine --runs 1 --export-json "$WORK/peer.json" \
  "/usr/bin/python3 $ROOT/bench/peers/yieldex_numpy.py $ROOT/$DATA/net1m.pat $ROOT/$DATA/net1m.wgt $WORK/peer.out"
"$BUILD/bench/forward_bench" "$ROOT/$DATA/net1m" > "$WORK/forward.txt"
"$BUILD/bench/flops_bench" > "$WORK/flops.txt"
/usr/bin/python3 - "$WORK" <<'PY'
import json, sys
work = sys.argv[1]
ours = json.load(open(f"{work}/ours.json"))["results"][0]["mean"]
peer = json.load(open(f"{work}/peer.json"))["results"][0]["mean"]
fwd = float(open(f"{work}/forward.txt").read().split()[0])
flops = float(open(f"{work}/flops.txt").read().split()[0])
madds = 1e6 * (51 * 31 + 31 * 5)
print(f"Yieldex {ours:.2f} s ({1e6 / ours:,.0f} patterns/s), numpy peer {peer:.2f} s: "
      f"Yieldex is {peer / ours:.1f}x faster (target 4x, aim 5x)")
print(f"forward pass alone: {1e6 / fwd:,.0f} patterns/s, {madds / fwd:.3e} multiply-adds/s, "
      f"{100 * madds / fwd / flops:.0f}% of the {flops:.3e}/s the cores can do")
PY
