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
LAUNCHER_PID=
trap 'headless_stop; [ -z "$LAUNCHER_PID" ] || kill "$LAUNCHER_PID" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || fail "at-spi2-core is not installed (scripts/install-deps.sh installs it)"
# Debian's own Python, which python3-pyatspi serves (python3 may be another on PATH).
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is not installed (scripts/install-deps.sh installs it)"
headless_start_xvfb "$work" || fail "no X server"
# The bus launcher with its IsEnabled switch on, as a desktop with a screen
# reader running has it. Qt registers on that bus only when it finds it through
# the session bus: with AT_SPI_BUS_ADDRESS set it connects but never registers.
"$launcher" --a11y=1 >"$work/launcher.log" 2>&1 &
LAUNCHER_PID=$!
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
done
unset AT_SPI_BUS_ADDRESS LANGUAGE LC_ALL LC_MESSAGES QT_LINUX_ACCESSIBILITY_ALWAYS_ON
export LANG=de_DE.UTF-8
headless_start_program "$program" "$work" || fail "no window"
xdotool mousemove --window "$WINDOW" 400 300
timeout 60 /usr/bin/python3 "$here/atspi_names.py" || fail "AT-SPI"
echo PASS
