#!/usr/bin/env bash
# Whole-program benchmark of rocplot on 10 million records against the
# pandas + scikit-learn peer.  The score file is generated (not committed)
# into bench/data/.  Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
SUMMARY="$(pwd)/bench/summary.py"
export SUMMARY
BUILD=${BUILD_DIR:?}
RECORDS=${ROC_BENCH_RECORDS:-10000000}
DATA=bench/data
mkdir -p "$DATA"
SCORES="$DATA/scores_$RECORDS.txt"
[ -s "$SCORES" ] || "$BUILD/bench/gen_scores" "$RECORDS" > "$SCORES"
BYTES=$(stat -c %s "$SCORES")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp "$SCORES" "$WORK/scores.txt"

echo "== rocplot, whole program: $RECORDS records, $((BYTES / 1000000)) MB"
(cd "$WORK" && env -u DISPLAY QT_QPA_PLATFORM=offscreen hyperfine --warmup 1 --runs 5 \
  --export-json rocplot.json \
  "$BUILD/roc/rocplot scores.txt roc --picture roc.bmp </dev/null")
echo "== rocplot --report and --compare (a copy of the file as the second classifier)"
cp "$WORK/scores.txt" "$WORK/other.txt"
(cd "$WORK" && env -u DISPLAY QT_QPA_PLATFORM=offscreen hyperfine --warmup 1 --runs 3 \
  --export-json report.json \
  "$BUILD/roc/rocplot scores.txt --report </dev/null" \
  "$BUILD/roc/rocplot scores.txt --compare other.txt </dev/null")
echo "== rocplot --bootstrap 2000 --se-at 0.9 on 1M records"
BOOT_RECORDS=1000000
BOOT_SCORES="$DATA/scores_$BOOT_RECORDS.txt"
[ -s "$BOOT_SCORES" ] || "$BUILD/bench/gen_scores" "$BOOT_RECORDS" > "$BOOT_SCORES"
cp "$BOOT_SCORES" "$WORK/boot.txt"
(cd "$WORK" && env -u DISPLAY QT_QPA_PLATFORM=offscreen hyperfine --warmup 1 --runs 3 \
  --export-json bootstrap.json \
  "$BUILD/roc/rocplot boot.txt --bootstrap 2000 --se-at 0.9 </dev/null")
# Hand and Till's M on a million records of ten classes (scores on a grid of
# thousandths, so with ties).
/usr/bin/python3 - "$WORK/multiclass.csv" <<'PY'
import random, sys
random.seed(5)
with open(sys.argv[1], "w") as out:
    for _ in range(1_000_000):
        label = random.randrange(10)
        weights = [random.randint(1, 9) for _ in range(10)]
        weights[label] += 4
        total = sum(weights)
        out.write(str(label) + "".join(f",{w / total:.3f}" for w in weights) + "\n")
PY
(cd "$WORK" && hyperfine --warmup 1 --runs 3 --export-json multiclass.json \
  "$BUILD/roc/rocplot multiclass.csv --multiclass")
PEER=$(pwd)/bench/peers/roc_sklearn.py
(cd "$WORK" && hyperfine --runs 1 --export-json peer.json --show-output \
  "/usr/bin/python3 $PEER scores.txt")
/usr/bin/python3 - "$WORK" "$BYTES" "$RECORDS" <<'PY'
import json, sys
work, size, records = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
ours = json.load(open(f"{work}/rocplot.json"))["results"][0]["mean"]
peer = json.load(open(f"{work}/peer.json"))["results"][0]["mean"]
print(f"rocplot: {ours:.3f} s, {size / ours / 1e6:.0f} MB/s, {records / ours / 1e6:.1f} M records/s")
print(f"sklearn peer: {peer:.3f} s")
print(f"rocplot is {peer / ours:.1f}x faster than the peer")
report, compare = (r["mean"] for r in json.load(open(f"{work}/report.json"))["results"])
print(f"--report {report:.3f} s, {report / ours:.1f}x the plain run (target 2x); "
      f"--compare {compare:.3f} s (target under 5 s)")
import os, subprocess
def add(*row):
    subprocess.run([os.environ["SUMMARY"], "add", *row], check=True)
add("rocplot vs scikit-learn", f"{peer / ours:.1f}x ({ours:.2f} s)", ">= 10x", "yes" if peer / ours >= 10 else "no")
add("rocplot --report vs plain", f"{report / ours:.2f}x ({report:.2f} s)", "<= 2x", "yes" if report / ours <= 2 else "no")
add("rocplot --compare, 2 x 10M", f"{compare:.2f} s", "< 5 s", "yes" if compare < 5 else "no")
boot = json.load(open(f"{work}/bootstrap.json"))["results"][0]["mean"]
print(f"--bootstrap 2000 on 1M records: {boot:.2f} s (target under 10 s)")
add("rocplot --bootstrap 2000, 1M", f"{boot:.2f} s", "< 10 s", "yes" if boot < 10 else "no")
multiclass = json.load(open(f"{work}/multiclass.json"))["results"][0]["mean"]
print(f"--multiclass on 1M records of 10 classes: {multiclass:.2f} s (target under 5 s)")
add("rocplot --multiclass, 1M x 10", f"{multiclass:.2f} s", "< 5 s", "yes" if multiclass < 5 else "no")
PY
