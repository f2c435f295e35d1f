#!/usr/bin/env bash
# Whole-program benchmark of Yieldex: 1,000,000 generated patterns (50 inputs,
# 5 outputs) through a network of 30 hidden nodes, against the numpy peer
# (bench/peers/yieldex_numpy.py); the same network on 10,000,000 patterns
# (about 5 GB, generated once), to show that time grows with the file and
# memory does not; the forward pass alone against what the machine's cores
# can do; cat's read speed of the file, the limit for any reader of it; the
# peak memory with --table and --scores, which are written as they grow.
# Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
SUMMARY="$(pwd)/bench/summary.py"
export SUMMARY
BUILD=${BUILD_DIR:?}
ROOT=$(pwd)
DATA=bench/data
mkdir -p "$DATA"
[ -s "$DATA/net1m.pat" ] || "$BUILD/bench/gen_network" 1000000 50 30 5 "$DATA/net1m"
[ -s "$DATA/net10m.pat" ] || "$BUILD/bench/gen_network" 10000000 50 30 5 "$DATA/net10m"
sync  # a freshly written file's pages go to disk now, not during the timing
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
unset DISPLAY
echo "== Yieldex: 1,000,000 patterns, 50 inputs, 30 hidden, 5 outputs"
hyperfine --warmup 1 --runs 3 --export-json "$WORK/ours.json" \
  "$BUILD/ebp/yieldex/Yieldex $ROOT/$DATA/net1m.pat --output $WORK/ours.out"
hyperfine --runs 1 --export-json "$WORK/peer.json" \
  "/usr/bin/python3 $ROOT/bench/peers/yieldex_numpy.py $ROOT/$DATA/net1m.pat $ROOT/$DATA/net1m.wgt $WORK/peer.out"
hyperfine --warmup 1 --runs 3 --export-json "$WORK/cat.json" "cat $ROOT/$DATA/net1m.pat > /dev/null"
echo "== Yieldex, time and peak memory: 1M patterns ($(($(stat -c %s "$DATA/net1m.pat") / 1000000)) MB)" \
  "and 10M patterns ($(($(stat -c %s "$DATA/net10m.pat") / 1000000)) MB)"
for n in 1m 10m; do
  /usr/bin/time -f "%e %M" -o "$WORK/time_$n.txt" \
    "$BUILD/ebp/yieldex/Yieldex" "$DATA/net$n.pat" \
    --output "$WORK/$n.out" >/dev/null
  rm -f "$WORK/$n.out"
done
/usr/bin/time -f "%e %M" -o "$WORK/time_streamed.txt" \
  "$BUILD/ebp/yieldex/Yieldex" "$DATA/net1m.pat" --output "$WORK/s.out" \
  --table "$WORK/s.tsv" --scores "$WORK/s.txt" >/dev/null
rm -f "$WORK/s.out" "$WORK/s.tsv" "$WORK/s.txt"
"$BUILD/bench/forward_bench" "$ROOT/$DATA/net1m" > "$WORK/forward.txt"
"$BUILD/bench/flops_bench" > "$WORK/flops.txt"
/usr/bin/python3 - "$WORK" "$(stat -c %s "$DATA/net1m.pat")" <<'PY'
import json, os, subprocess, sys
work, size = sys.argv[1], int(sys.argv[2])
ours = json.load(open(f"{work}/ours.json"))["results"][0]["mean"]
peer = json.load(open(f"{work}/peer.json"))["results"][0]["mean"]
cat = json.load(open(f"{work}/cat.json"))["results"][0]["mean"]
fwd = float(open(f"{work}/forward.txt").read().split()[0])
flops = float(open(f"{work}/flops.txt").read().split()[0])
madds = 1e6 * (51 * 31 + 31 * 5)
print(f"Yieldex {ours:.2f} s ({1e6 / ours:,.0f} patterns/s, {size / ours / 1e6:.0f} MB/s), numpy peer "
      f"{peer:.2f} s: Yieldex is {peer / ours:.1f}x faster (target 5x); cat reads the file at "
      f"{size / cat / 1e6:.0f} MB/s")
print(f"forward pass alone: {1e6 / fwd:,.0f} patterns/s, {madds / fwd:.3e} multiply-adds/s, "
      f"{100 * madds / fwd / flops:.0f}% of the {flops:.3e}/s the cores can do")
(t1, m1), (t10, m10) = ([float(x) for x in open(f"{work}/time_{n}.txt").read().split()] for n in ("1m", "10m"))
print(f"1M patterns: {t1:.2f} s, peak {m1 / 1024:.0f} MB; 10M patterns: {t10:.2f} s, peak {m10 / 1024:.0f} MB "
      f"(time x{t10 / t1:.1f} for 10x the patterns; target: peak under 256 MB)")
def add(*row):
    subprocess.run([os.environ["SUMMARY"], "add", *row], check=True)
add("Yieldex vs numpy", f"{peer / ours:.1f}x ({ours:.2f} s)", ">= 5x", "yes" if peer / ours >= 5 else "no")
add("Yieldex peak, 1M patterns", f"{m1 / 1024:.0f} MB", "< 256 MB", "yes" if m1 < 256 * 1024 else "no")
add("Yieldex peak, 10M patterns", f"{m10 / 1024:.0f} MB ({t10:.1f} s)", "< 256 MB",
    "yes" if m10 < 256 * 1024 else "no")
ts, ms = (float(x) for x in open(f"{work}/time_streamed.txt").read().split())
print(f"1M patterns with --table and --scores: {ts:.2f} s, peak {ms / 1024:.0f} MB (target: under 256 MB)")
add("Yieldex peak, 1M patterns, --table --scores", f"{ms / 1024:.0f} MB ({ts:.1f} s)", "< 256 MB",
    "yes" if ms < 256 * 1024 else "no")
add("Yieldex reading vs cat", f"{size / ours / 1e6:.0f} MB/s, cat {size / cat / 1e6:.0f} MB/s", "-", "-")
PY
