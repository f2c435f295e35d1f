#!/usr/bin/env bash
# The progress line: Tremora on a terminal shows it and erases it at the end;
# without a terminal its standard error stays empty; a short Colfold run on a
# terminal shows none; somtrain on a terminal shows a line an epoch, and none
# without one.
#   progress_test.sh TREMORA COLFOLD EXAMPLES_FOLDER SOMTRAIN
set -euo pipefail
tremora=$(realpath "$1") colfold=$(realpath "$2") examples=$(realpath "$3")
somtrain=$(realpath "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "progress: $*"; exit 1; }
command -v script >/dev/null || { echo "progress: skipped: no script(1)"; exit 77; }
# A container without /dev/pts has no pseudo-terminal to give.
script -qec true /dev/null </dev/null >/dev/null 2>&1 \
  || { echo "progress: skipped: no pseudo-terminal can be made here (is /dev/pts mounted?)"; exit 77; }

args=(--noise "$examples/ebp/noise.cfg" --results t.err "$examples/ebp/cancer.pat"
  "$examples/ebp/cancer.wgt")
"$tremora" "${args[@]}" >plain.out 2>plain.err </dev/null
[ ! -s plain.err ] || fail "progress without a terminal: $(cat plain.err)"

# Under a pseudo-terminal (standard output and error both go to it).
command_line=$(printf '%q ' "$tremora" "${args[@]}")
script -qec "$command_line" /dev/null </dev/null >tty.out
grep -q $'\rTremora: level 1 of 6, input 1 of 30, 0%' tty.out || fail "no progress line: $(head -c 300 tty.out)"
# Erased before the Data page: the page's first line follows a line of blanks.
first_page_line=$(head -1 plain.out | tr -d '\r')
grep -q "$(printf '\r *\r')$first_page_line" <(tr -d '\n' <tty.out) \
  || fail "the progress line is not erased before the Data page"
# What reaches the terminal after the erased line is the plain run's output.
# (The terminal ends lines with CR LF; a lone CR returns over the erased line.)
cmp -s plain.out <(sed 's/\r$//; s/.*\r//' tty.out | tail -n "$(wc -l <plain.out)") \
  || fail "the output on a terminal differs from the plain run's"

printf '1 2 3\n4 5 6\n' > t.txt
script -qec "$(printf '%q ' "$colfold" t.txt o.pat 2 1 2)" /dev/null </dev/null >colfold.out
! grep -q 'Colfold: converting' colfold.out || fail "a short Colfold run showed progress"

"$somtrain" t.txt --rows 2 --cols 2 --epochs 3 --out map >plain.out 2>plain.err </dev/null
[ ! -s plain.err ] || fail "somtrain's epochs without a terminal: $(cat plain.err)"
script -qec "$(printf '%q ' "$somtrain" t.txt --rows 2 --cols 2 --epochs 3 --out map)" /dev/null \
  </dev/null >somtrain.out
for epoch in 1 2 3; do
  grep -q "^somtrain: epoch $epoch/3  radius .*  quantization error .*  topographic error" \
    somtrain.out || fail "somtrain showed no line for epoch $epoch: $(head -c 300 somtrain.out)"
done
echo "progress: ok"
