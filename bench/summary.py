#!/usr/bin/env python3
"""The one table of ./run bench: each benchmark adds its rows, the last step prints them.

  summary.py add NAME RESULT TARGET MET   a row (MET: yes, no, or - for a figure without target)
  summary.py print                        the table, the machine's processor in its first line

The rows live in the file $BENCH_SUMMARY; without it, add does nothing.
"""
import os
import sys


def main():
    path = os.environ.get("BENCH_SUMMARY")
    if sys.argv[1] == "add":
        if path:
            with open(path, "a") as out:
                out.write("\t".join(sys.argv[2:6]) + "\n")
        return
    cpu = "unknown processor"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    rows = [line.rstrip("\n").split("\t") for line in open(path)] if path and os.path.exists(path) else []
    print(f"== summary on {cpu}, {os.cpu_count()} cores")
    head = ["benchmark", "result", "target", "met"]
    widths = [max(len(r[i]) for r in rows + [head]) for i in range(4)]
    for r in [head] + rows:
        print("  ".join(cell.ljust(w) for cell, w in zip(r, widths)).rstrip())
    missed = [r[0] for r in rows if r[3] == "no"]
    print("every target met" if not missed else "targets missed: " + ", ".join(missed))


if __name__ == "__main__":
    main()
