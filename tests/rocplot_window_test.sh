#!/usr/bin/env bash
# rocplot with a display: a 600 x 600 window titled "rocplot" shows the
# picture, and a key press ends the program.  Runs under a private Xvfb.
set -euo pipefail
ROCPLOT=$1
SCORES=$2
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
work=$(mktemp -d)
trap 'kill "${pid:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
# Xvfb picks a free display number and writes it to fd 3 once it is ready.
Xvfb -displayfd 3 -screen 0 800x700x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display")
export DISPLAY
unset QT_QPA_PLATFORM
cd "$work"
"$ROCPLOT" "$SCORES" roc </dev/null &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^rocplot$' | head -1)
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry"
grep -q 'Geometry: 600x600' <<<"$geometry"
[ -f roc.prn ]
xdotool mousemove 300 300 key space
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "rocplot did not end on a key press"
  exit 1
fi
wait "$pid"
echo "ended on a key press"
