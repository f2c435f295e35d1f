#!/usr/bin/env bash
# Validate the desktop entries shipped in the neural-toolkit package.
#
# Usage: check_desktop_files.sh [PACKAGING_DIR]
#   PACKAGING_DIR defaults to the folder holding this script.
#
# Exit status: 0 all entries good, 1 a problem was found,
#              77 desktop-file-validate is not installed (test skipped).
set -euo pipefail

dir="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}"
programs=(Favomap5 Yieldex Tremora)

fail() {
    echo "check_desktop_files: $*" >&2
    exit 1
}

if ! command -v desktop-file-validate >/dev/null 2>&1; then
    echo "check_desktop_files: desktop-file-validate not installed (package desktop-file-utils); skipping" >&2
    exit 77
fi

[[ -d "$dir" ]] || fail "no such folder: $dir"

shopt -s nullglob
entries=("$dir"/*.desktop)
shopt -u nullglob
(( ${#entries[@]} > 0 )) || fail "no .desktop files in $dir"

# Print the value of KEY from the [Desktop Entry] group of FILE (first match).
entry_value() {
    awk -v key="$2" '
        /^\[/ { in_main = ($0 == "[Desktop Entry]"); next }
        in_main && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
    ' "$1"
}

declare -A seen=()
for file in "${entries[@]}"; do
    name="$(basename "$file")"

    # The validator reports errors, warnings and hints on stdout; any of them fails.
    rc=0
    out="$(desktop-file-validate "$file" 2>&1)" || rc=$?
    if [[ -n "$out" || $rc -ne 0 ]]; then
        echo "$out" >&2
        fail "$name: desktop-file-validate reported problems (exit $rc)"
    fi

    icon="$(entry_value "$file" Icon)"
    [[ -n "$icon" ]] || fail "$name: no Icon= key"
    [[ "$icon" != */* ]] || fail "$name: Icon= must be a theme name, not a path: $icon"
    svg="$dir/icons/$icon.svg"
    [[ -f "$svg" ]] || fail "$name: Icon=$icon but icons/$icon.svg does not exist"
    grep -q '<svg[[:space:]]' "$svg" || fail "$name: icons/$icon.svg is not an SVG document"

    exec_value="$(entry_value "$file" Exec)"
    known=0
    for p in "${programs[@]}"; do
        [[ "$exec_value" == "$p" ]] && known=1
    done
    (( known )) || fail "$name: Exec=$exec_value is not one of: ${programs[*]}"
    [[ -z "${seen[$exec_value]:-}" ]] || fail "$name: Exec=$exec_value already used by ${seen[$exec_value]}"
    seen[$exec_value]="$name"
done

for p in "${programs[@]}"; do
    [[ -n "${seen[$p]:-}" ]] || fail "no desktop entry runs $p"
done

echo "desktop entries: ok"
