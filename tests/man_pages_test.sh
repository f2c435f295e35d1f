#!/usr/bin/env bash
# The three places a user reads about a program agree: each man page renders,
# has a FILES section, and names exactly the options its program's --help
# lists, and README's section of the program names those same options.
#   man_pages_test.sh MAN_FOLDER README PROGRAM...
set -euo pipefail
pages=$1
readme=$2
shift 2
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
failed=0
complain() { echo "$*"; failed=1; }

# The long options in a text, one a line, sorted; --help, --help-all and
# --version, which every program answers, left out.
options_in() {
  { grep -o -- '--[a-z][a-z0-9-]*' || true; } | grep -vx -- '--help\|--help-all\|--version' \
    | sort -u || true
}

# The options README's section "## PROGRAM" names for PROGRAM: in a command
# written in it (a `code span` or an indented line) an option after another
# program's name is that program's (`Yieldex p.pat --scores s.txt && rocplot
# s.txt --report`).
readme_options() {
  awk -v program="$1" '
    BEGIN { split("rocplot Favomap5 Yieldex Tremora kappatest Colfold somtrain", names, " ")
            for (i in names) isProgram[names[i]] = 1 }
    /^## / { inside = ($0 == "## " program); next }
    !inside { next }
    {
      n = split($0, parts, "`")
      for (i = 1; i <= n; i++) {
        code = (i % 2 == 0) || /^    /
        owner = program
        m = split(parts[i], words, /[ \t|&;()\[\]]+/)
        for (j = 1; j <= m; j++) {
          if (code && (words[j] in isProgram)) owner = words[j]
          if (owner == program) print words[j]
        }
      }
    }' "$readme" | options_in
}

# Reports the options one list has and the other lacks.
compare() {
  local name=$1 left=$2 right=$3 left_options=$4 right_options=$5 only
  only=$(comm -23 <(echo "$left_options") <(echo "$right_options") | tr '\n' ' ')
  [ -z "${only// /}" ] || complain "$name: $left names $only but $right does not"
  only=$(comm -13 <(echo "$left_options") <(echo "$right_options") | tr '\n' ' ')
  [ -z "${only// /}" ] || complain "$name: $right names $only but $left does not"
}

for program in "$@"; do
  name=$(basename "$program")
  page="$pages/$name.1"
  if [ ! -s "$page" ]; then
    complain "$name: no man page at $page"
    continue
  fi
  if command -v man >/dev/null; then
    text=$(MANWIDTH=200 man -l "$page" 2>&1) || complain "$name: man -l fails: $text"
    grep -q "$name" <<<"$text" || complain "$name: the rendered page never names the program"
  fi
  grep -q '^\.SH FILES' "$page" || complain "$name: the man page has no FILES section"
  grep -q "^## $name\$" "$readme" || complain "$name: README has no section \"## $name\""

  help=$("$program" --help </dev/null)
  help_options=$(options_in <<<"$help")
  # Options as the page's source writes them (\-\-weights).
  page_options=$(sed 's/\\-/-/g' "$page" | options_in)
  compare "$name" "--help" "the man page" "$help_options" "$page_options"
  compare "$name" "--help" "README" "$help_options" "$(readme_options "$name")"

  version=$("$program" --version </dev/null)
  grep -qF "$version" "$page" || grep -qF "${version#* }" "$page" \
    || complain "$name: the page is not of version '$version'"
done
[ "$failed" = 0 ] && echo "man pages: ok ($# programs)"
exit "$failed"
