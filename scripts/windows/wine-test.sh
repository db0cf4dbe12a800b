#!/usr/bin/env bash
# Runs one test of the Windows program under Wine, for ctest. Its output goes
# through a file: a helper Wine starts on the way (the desktop process a
# window or the clipboard needs) keeps the handles it inherited open after
# the test has ended, and ctest would wait on them for ever.
#   wine-test.sh PROGRAM.exe ARGS...
set -u
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
rm -f "$out"
exit "$status"
