#!/usr/bin/env bash
# Colfold on a generated 100 MB table of 10 columns (blank and comma
# separated) against mawk reformatting the same numbers with "%.7g".
# Called by ./run bench with BUILD_DIR set.
set -euo pipefail
cd "$(dirname "$0")/.."
export SUMMARY="$(pwd)/bench/summary.py"
BUILD=${BUILD_DIR:?}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
/usr/bin/python3 - "$WORK/table.txt" <<'PY'
import random, sys
random.seed(4)
with open(sys.argv[1], "w") as out:
    size = 0
    while size < 100_000_000:
        row = [f"{random.uniform(-1000, 1000):.4f}" for _ in range(10)]
        line = " ".join(row[:5]) + "," + ",".join(row[5:]) + "\n"
        out.write(line)
        size += len(line)
PY
BYTES=$(stat -c %s "$WORK/table.txt")
echo "== Colfold: $((BYTES / 1000000)) MB table, 10 columns"
cd "$WORK"
hyperfine --warmup 1 --runs 5 --export-json ours.json \
  "$BUILD/colfold/Colfold table.txt table.pat 10 1 1"
hyperfine --runs 2 --export-json peer.json \
  "mawk -F '[ ,]+' '{for(i=1;i<=NF;i++) printf \"%.7g\\n\", \$i}' table.txt > awk.out"
/usr/bin/python3 - "$BYTES" <<'PY'
import json, sys
size = int(sys.argv[1])
ours = json.load(open("ours.json"))["results"][0]["mean"]
peer = json.load(open("peer.json"))["results"][0]["mean"]
print(f"Colfold {ours:.3f} s ({size / ours / 1e6:.0f} MB/s), mawk {peer:.2f} s ({size / peer / 1e6:.0f} MB/s): "
      f"Colfold is {peer / ours:.1f}x faster (target 6x)")
import os, subprocess
subprocess.run([os.environ["SUMMARY"], "add", "Colfold vs mawk", f"{peer / ours:.1f}x ({ours:.2f} s)",
                ">= 6x", "yes" if peer / ours >= 6 else "no"], check=True)
PY
