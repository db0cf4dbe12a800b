#!/usr/bin/env bash
# The program's command line: --help and --version answer without a display,
# anything else that is not Qt's own ends with status 2 before a window opens.
#   command_line_test.sh PROGRAM
set -euo pipefail
program=$1
top=$(dirname "$0")/../..
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/stdout: /' "$out" >&2; sed 's/^/stderr: /' "$err" >&2; exit 1; }

# run STATUS ARGS...: no display at all; the offscreen platform for what gets past the options.
run() {
    local expected=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen LANG=en_US.UTF-8 \
        timeout 10 "$program" "$@" >"$out" 2>"$err" || status=$?
    [ "$status" -eq "$expected" ] || fail "'$*' ended with status $status, expected $expected"
}

for option in --version -v; do
    run 0 "$option"
    [ "$(cat "$out")" = "gipfelfluss $version" ] || fail "$option printed something else than 'gipfelfluss $version'"
done
for option in --help -h "-platform xcb --help"; do
    # shellcheck disable=SC2086
    run 0 $option
    grep -q '^Aufruf: gipfelfluss \[Optionen\]$' "$out" || fail "$option shows no German usage line"
    grep -q -- '-v, --version' "$out" || fail "$option does not list --version"
done
# arguments | what the message names
while IFS='|' read -r args named; do
    # shellcheck disable=SC2086
    run 2 $args
    [ ! -s "$out" ] || fail "'$args' wrote to standard output"
    grep -qF "»$named«" "$err" || fail "'$args': standard error does not name $named"
done <<'TABLE'
--bogus|--bogus
-platform offscreen -x|-x
--bogus=1 --help-all|--bogus
-style fusion Datei.xls|Datei.xls
TABLE
echo PASS
