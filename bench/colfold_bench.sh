#!/usr/bin/env bash
# Colfold on two generated 100 MB tables of 10 columns (blank and comma
# separated) against mawk reformatting the same numbers with "%.7g": one of
# "%.4f" numbers (-1000 to 1000), and one as other tools export data, "%.9g"
# of magnitudes 1e-4 to 1e4 of both signs, one in eight with an exponent.
# Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
SUMMARY="$(pwd)/bench/summary.py"
export SUMMARY
BUILD=${BUILD_DIR:?}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
/usr/bin/python3 - "$WORK/fixed.txt" "$WORK/general.txt" <<'PY'
import random, sys
random.seed(4)
def fixed():
    return f"{random.uniform(-1000, 1000):.4f}"
def general():
    v = 10 ** random.uniform(-4, 4) * random.choice((-1, 1))
    return f"{v:.8e}" if random.random() < 0.125 else f"{v:.9g}"
for path, number in zip(sys.argv[1:], (fixed, general)):
    with open(path, "w") as out:
        size = 0
        while size < 100_000_000:
            row = [number() for _ in range(10)]
            line = " ".join(row[:5]) + "," + ",".join(row[5:]) + "\n"
            out.write(line)
            size += len(line)
PY
cd "$WORK"
for table in fixed general; do
  BYTES=$(stat -c %s "$table.txt")
  echo "== Colfold: $((BYTES / 1000000)) MB table of $table numbers, 10 columns"
  hyperfine --warmup 1 --runs 5 --export-json ours.json \
    "$BUILD/colfold/Colfold $table.txt $table.pat 10 1 1"
  hyperfine --runs 2 --export-json peer.json \
    "mawk -F '[ ,]+' '{for(i=1;i<=NF;i++) printf \"%.7g\\n\", \$i}' $table.txt > awk.out"
  /usr/bin/python3 - "$BYTES" "$table" <<'PY'
import json, os, subprocess, sys
size, table = int(sys.argv[1]), sys.argv[2]
ours = json.load(open("ours.json"))["results"][0]["mean"]
peer = json.load(open("peer.json"))["results"][0]["mean"]
print(f"Colfold {ours:.3f} s ({size / ours / 1e6:.0f} MB/s), mawk {peer:.2f} s "
      f"({size / peer / 1e6:.0f} MB/s): Colfold is {peer / ours:.1f}x faster (target 6x)")
subprocess.run([os.environ["SUMMARY"], "add", f"Colfold vs mawk, {table} numbers",
                f"{peer / ours:.1f}x ({ours:.2f} s)", ">= 6x", "yes" if peer / ours >= 6 else "no"],
               check=True)
PY
  rm -f "$table.pat" awk.out
done
