#!/usr/bin/env bash
# The Debian package, installed into a throw-away root, runs from there:
# every program answers --help and --version and does a real run on the
# installed examples, the bridges from other tools are there and runnable,
# every man page renders with a FILES section, README and the changelog are
# there, the installed workflow.sh runs the installed programs from PATH,
# Tremora run by a user who is not root keeps its files in that user's
# folders, Yieldex tells that user to name an output it can write, and
# nothing is written into the installation.
#   package_test.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY

fail() { echo "package: $*"; exit 1; }
# Runs a command and looks for a pattern in what it printed. The output is
# taken whole first: a "cmd | grep -q" would let grep close the pipe at the
# first match and the command die of SIGPIPE, failing the pipeline at random.
prints() {
  local pattern=$1 output
  shift
  output=$("$@") || return 1
  grep -q -- "$pattern" <<<"$output"
}
command -v file >/dev/null || fail "no file(1), which CPack needs (./run setup installs it)"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null) \
  || fail "cpack failed"
deb=$(ls "$work"/out/neural-toolkit_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation2; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
description=$(dpkg-deb -f "$deb" Description)
! grep -q '^ *;' <<<"$description" || fail "the description holds stray ';' lines: $description"
root=$work/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
share=$root/usr/share/neural-toolkit
doc=$root/usr/share/doc/neural-toolkit
for f in "$share/Favomap5.cfg" "$share/noise.cfg" "$share/examples/ebp/cancer.pat" \
    "$doc/README.md" "$doc/changelog.gz" "$doc/docs/roc.png" \
    "$root/usr/share/applications/Favomap5.desktop" \
    "$root/usr/share/icons/hicolor/scalable/apps/neural-toolkit-tremora.svg"; do
  [ -s "$f" ] || fail "the package lacks $f"
done
gzip -t "$doc/changelog.gz" || fail "changelog.gz is no gzip file"
for bridge in kohonen_to_favomap.R minisom_to_favomap.py sklearn_to_wgt.py; do
  prints '^[Uu]sage' "$share/bridges/$bridge" --help </dev/null || fail "$bridge --help"
done
[ -x "$share/examples/workflow.sh" ] || fail "workflow.sh is not executable"
before=$(cd "$root" && find . -type f -exec sha256sum {} + | sort)

programs=(rocplot Favomap5 Yieldex Tremora kappatest Colfold somtrain)
for p in "${programs[@]}"; do
  prints '[Uu][Ss][Aa][Gg][Ee]' "$bin/$p" --help </dev/null || fail "$p --help"
  [ "$("$bin/$p" --version </dev/null)" = "$p $(dpkg-deb -f "$deb" Version)" ] || fail "$p --version"
  page=$root/usr/share/man/man1/$p.1
  [ -s "$page" ] || page=$page.gz
  text=$(MANWIDTH=100 man -l "$page" 2>/dev/null) || fail "man -l $page"
  grep -q "$p" <<<"$text" || fail "man -l $page does not name $p"
  grep -q '^FILES' <<<"$text" || fail "the man page of $p has no FILES section"
done

# Real runs, in a folder of their own, on the installed examples and defaults.
run=$work/run
mkdir -p "$run"
cd "$run"
ex=$share/examples
prints '^exact_auc' "$bin/rocplot" "$ex/roc/breast_cancer_scores.txt" --report </dev/null \
  || fail "rocplot run"
"$bin/Favomap5" --bmu "$ex/som/iris.bmu" --output map.png >/dev/null || fail "Favomap5 run"
[ "$(head -c 4 map.png | tail -c 3)" = PNG ] || fail "Favomap5 drew no PNG"
"$bin/Yieldex" "$ex/ebp/cancer.pat" --weights "$ex/ebp/cancer.wgt" --output c.out >/dev/null \
  || fail "Yieldex run"
[ "$(wc -l < c.out)" = 569 ] || fail "Yieldex wrote $(wc -l < c.out) lines"
printf '%s\n5\n\n0\n' "$ex/kappa/carcinoma.txt" | prints 'kappa  = 0.498' "$bin/kappatest" \
  || fail "kappatest run"
prints 'dati convertiti' "$bin/Colfold" "$ex/colfold/iris_table.txt" iris.pat 4 3 150 \
  || fail "Colfold run"

# The installed workflow, with the installed programs found on PATH.
PATH="$bin:$PATH" "$share/examples/workflow.sh" >workflow.log 2>&1 \
  || fail "workflow.sh: $(tail -5 workflow.log)"
for f in cancer.pat cancer.out cancer_roc.png iris_classes.png cancer_map.wgt cancer_map_classes.png; do
  [ -s "workflow/$f" ] || fail "workflow.sh wrote no $f: $(tail -5 workflow.log)"
done
grep -q '^\$ Colfold ' workflow.log || fail "workflow.sh did not run Colfold from PATH"

# Tremora as a user who may not write the installation (nobody, when run as
# root): noise.cfg from the installed default into the user's configuration,
# test.err into the user's data folder.
home=$work/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown 65534:65534 "$home" "$run"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
out=$("${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME= XDG_DATA_HOME= \
  "$bin/Tremora" "$ex/ebp/cancer.pat" "$ex/ebp/cancer.wgt" </dev/null) || fail "Tremora run"
results=$home/.local/share/neural-toolkit/test.err
[ -s "$results" ] || fail "Tremora wrote no $results"
cmp -s "$home/.config/neural-toolkit/noise.cfg" "$share/noise.cfg" \
  || fail "Tremora did not take the installed noise.cfg into the user's folder"
grep -qF "output saved to: $results" <<<"$out" || fail "Tremora's Info page does not name $results"

# Yieldex without --output proposes a file beside the installed weights: the
# user learns why it cannot be written and what to do.
chmod a-w "$ex/ebp"
status=0
# (From the examples' folder: the names are built from the path up to its
# first period, and the throw-away root's path may hold one.)
err=$(cd "$ex/ebp" && "${as_user[@]}" env HOME="$home" "$bin/Yieldex" cancer.pat 2>&1 >/dev/null \
  </dev/null) || status=$?
chmod u+w "$ex/ebp"
[ "$status" = 1 ] || fail "Yieldex into the installation: exit $status"
grep -q 'cancer.out".*folder you cannot write.*--output' <<<"$err" \
  || fail "Yieldex into the installation does not name --output: $err"

after=$(cd "$root" && find . -type f -exec sha256sum {} + | sort)
[ "$before" = "$after" ] || fail "the installation changed: $(diff <(echo "$before") <(echo "$after"))"
echo "package: ok ($(basename "$deb"))"
