#!/usr/bin/env bash
# What a screen reader gets: the real program on Xvfb, in a D-Bus session of
# its own with the accessibility bus switched on, read through AT-SPI's own
# client library (atspi_names.py). Runs under de_DE, so Qt's file dialog must
# speak German too.
#   atspi_test.sh PROGRAM
set -euo pipefail
if [ -z "${GIPFELFLUSS_DBUS_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is not installed" >&2; exit 1; }
    GIPFELFLUSS_DBUS_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
program=$1
here=$(dirname "$0")
. "$here/../../scripts/headless-window.sh"
work=$(mktemp -d)
ATSPI_PID=
trap 'headless_stop; [ -z "$ATSPI_PID" ] || kill "$ATSPI_PID" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

headless_start_xvfb "$work" || fail "no X server"
headless_start_atspi "$work" || fail "no accessibility bus"
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=de_DE.UTF-8
headless_start_program "$program" "$work" || fail "no window"
xdotool mousemove --window "$WINDOW" 400 300
timeout 60 /usr/bin/python3 "$here/atspi_names.py" || fail "AT-SPI"
echo PASS
