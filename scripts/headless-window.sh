# Shell functions that run the program on an X server of its own (Xvfb), for
# scripts/run.sh without a display, scripts/screenshot.sh and the real-window
# test. Source it; the functions set DISPLAY, XVFB_PID, APP_PID and WINDOW.

# headless_start_xvfb WORKDIR: Xvfb on a free display, ready when this returns.
headless_start_xvfb() {
    local work=$1
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed (scripts/install-deps.sh installs it)" >&2; return 1; }
    # Xvfb writes the display number it chose to fd 3 once it takes clients.
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local _
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
}

# headless_start_program PROGRAM WORKDIR: starts it and waits for its window.
headless_start_program() {
    local program=$1 work=$2 _
    env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR "$program" >"$work/program.log" 2>&1 &
    APP_PID=$!
    WINDOW=
    for _ in $(seq 100); do
        WINDOW=$(xwininfo -name "Berechnung Gipfelfluss" 2>/dev/null | awk '/Window id:/ { print $4 }') || true
        [ -n "$WINDOW" ] && break
        kill -0 "$APP_PID" 2>/dev/null || { echo "the program ended early: $(cat "$work/program.log")" >&2; return 1; }
        sleep 0.1
    done
    [ -n "$WINDOW" ] || { echo "no window \"Berechnung Gipfelfluss\" appeared" >&2; return 1; }
    # Let the first paint reach the screen.
    sleep 0.5
}

# headless_stop: ends whatever of the program and Xvfb still runs.
headless_stop() {
    if [ -n "${APP_PID:-}" ]; then kill "$APP_PID" 2>/dev/null || true; fi
    if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    APP_PID= XVFB_PID=
}

# focus_dialog TITLE_REGEX: waits up to 5 s for the dialog, gives it the
# keyboard (without a window manager it gets it only when given it) and sets
# DIALOG to it.
focus_dialog() {
    local _
    DIALOG=
    for _ in $(seq 50); do
        DIALOG=$(xdotool search --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$DIALOG" ] && break
        sleep 0.1
    done
    [ -n "$DIALOG" ] || return 1
    xdotool windowfocus --sync "$DIALOG"
}

# headless_start_atspi WORKDIR: the accessibility bus with its IsEnabled
# switch on, as a desktop with a screen reader running has it, for a program
# started after it. Needs a D-Bus session of its own (dbus-run-session). Qt
# registers on that bus only when it finds it through the session bus: with
# AT_SPI_BUS_ADDRESS set it connects but never registers. Sets ATSPI_PID.
headless_start_atspi() {
    local work=$1 launcher=/usr/libexec/at-spi-bus-launcher _
    [ -x "$launcher" ] || { echo "at-spi2-core is not installed (scripts/install-deps.sh installs it)" >&2; return 1; }
    # Debian's own Python, which python3-pyatspi serves (python3 may be another on PATH).
    /usr/bin/python3 -c "import pyatspi" 2>/dev/null ||
        { echo "python3-pyatspi is not installed (scripts/install-deps.sh installs it)" >&2; return 1; }
    "$launcher" --a11y=1 >"$work/launcher.log" 2>&1 &
    ATSPI_PID=$!
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
        sleep 0.1
    done
    unset AT_SPI_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON
}
