#!/usr/bin/env bash
# The man pages stay true to the programs: each renders, and every option it
# names is one its program's --help still lists.
#   man_pages_test.sh MAN_FOLDER PROGRAM...
set -euo pipefail
pages=$1
shift
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
failed=0
for program in "$@"; do
  name=$(basename "$program")
  page="$pages/$name.1"
  if [ ! -s "$page" ]; then
    echo "$name: no man page at $page"
    failed=1
    continue
  fi
  if command -v man >/dev/null; then
    text=$(MANWIDTH=200 man -l "$page" 2>&1) || { echo "$name: man -l fails: $text"; failed=1; }
    grep -q "$name" <<<"$text" || { echo "$name: the rendered page never names the program"; failed=1; }
  fi
  help=$("$program" --help </dev/null)
  # Options as the page's source writes them (\-\-weights).
  options=$(sed 's/\\-/-/g' "$page" | { grep -o -- '--[a-z][a-z0-9-]*' || true; } | sort -u)
  for option in $options; do
    grep -q -- "$option\\b" <<<"$help" || { echo "$name: the page's $option is not in --help"; failed=1; }
  done
  version=$("$program" --version </dev/null)
  grep -qF "$version" "$page" || grep -qF "${version#* }" "$page" \
    || { echo "$name: the page is not of version '$version'"; failed=1; }
done
[ "$failed" = 0 ] && echo "man pages: ok ($# programs)"
exit "$failed"
