#!/usr/bin/env bash
# The Windows program's real window under Wine, on an X server of its own
# with a window manager (without one, Wine's windows get no keyboard), in a
# German locale: typed 250 and 5 and "Berechnen" pressed by keyboard, the
# boxes read "1,63" and "97,7" and the table has its row (each copied to the
# clipboard as a user would, and read from X's); a screenshot of the window
# goes to SCREENSHOT when given. Then "Ausgeben nach MS Excel" in Windows'
# own save dialog, onto a workbook that is there already in a folder beyond
# ASCII: the question whether to replace it is answered with Alt+J, which
# only Qt's German translations beside the program make "&Ja".
#   real_window_test.sh gipfelfluss.exe [SCREENSHOT.png]
# Wine's prefix and settings come from scripts/windows/wine-environment.sh.
set -euo pipefail
program=$1 picture=${2:-}
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/scripts/headless-window.sh"
work=$(mktemp -d)
trap 'kill "${WM_PID:-}" 2>/dev/null || true; wineserver -k 2>/dev/null || true; headless_stop; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}
for tool in Xvfb openbox xdotool xclip import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/windows/build.sh installs it)"
done

headless_start_xvfb "$work" || fail "no X server"
openbox >"$work/openbox.log" 2>&1 &
WM_PID=$!
for _ in $(seq 50); do
    case $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) in *"window id"*) break ;; esac
    sleep 0.1
done
# Wine has none of Windows' fonts: Liberation Sans, with Arial's metrics,
# stands in for the two faces the window asks for, as on Linux. (Set once the
# X server runs and in the program's locale: the Wine processes this starts
# stay on for the program, with their display and locale.)
export LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8
for face in Arial "MS Sans Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Liberation Sans" /f >/dev/null 2>&1
done
wine "$program" >"$work/program.log" 2>&1 &
APP_PID=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --name '^Berechnung Gipfelfluss$' 2>/dev/null | head -n1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window \"Berechnung Gipfelfluss\" appeared"
# activate WINDOW: gives it the keyboard, as a click on it would, within 10 s.
activate() {
    local _
    for _ in $(seq 50); do
        xdotool windowactivate --sync "$1" 2>/dev/null || true
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
activate "$window" || fail "the window does not take the keyboard"
sleep 1

# clipboard KEYS...: the keys, then Ctrl+C, and what the clipboard holds.
clipboard() {
    xdotool key --delay 50 "$@" ctrl+c
    sleep 0.5
    xclip -o -selection clipboard 2>/dev/null | tr -d '\r'
}

xdotool type --delay 50 250
xdotool key Tab
xdotool type --delay 50 5
xdotool key --delay 50 Tab Tab Tab space   # Text3, Text4, "Berechnen"
sleep 1
if [ -n "$picture" ]; then
    import -window "$window" -strip "$picture"
    echo "$picture"
fi
l_min=$(clipboard shift+Tab ctrl+a)        # Text4
l_s=$(clipboard shift+Tab ctrl+a)          # Text3
[ "$l_s" = "1,63" ] || fail "Text3 reads '$l_s', expected 1,63"
[ "$l_min" = "97,7" ] || fail "Text4 reads '$l_min', expected 97,7"
rows=$(clipboard Tab Tab Tab Tab Tab ctrl+a) # the results table
grep -qP '^1\t250\t5\t1,63\t97,7$' <<<"$rows" || fail "the table's rows: $(printf '%q' "$rows")"

# active_window_other_than WINDOW...: waits up to 10 s for a window other
# than these to take the keyboard (a dialog opened over them) and prints its id.
active_window_other_than() {
    local active _
    for _ in $(seq 100); do
        active=$(xdotool getactivewindow 2>/dev/null) || true
        if [ -n "$active" ] && ! grep -qxF "$active" < <(printf '%s\n' "$@"); then
            echo "$active"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
folder="$work/Jürg Müller"
mkdir -p "$folder"
printf 'alt' >"$folder/Küche.xlsx"
xdotool key --delay 200 alt+d Down Return     # "Ausgeben nach MS Excel"
dialog=$(active_window_other_than "$window") || fail "no save dialog appeared"
sleep 1
xdotool type --delay 50 "Z:${folder//\//\\}\\Küche.xlsx"
xdotool key Return
question=$(active_window_other_than "$window" "$dialog") || fail "no question whether to replace Küche.xlsx"
title=$(xdotool getwindowname "$question")
[ "$title" = "Speichern unter" ] || fail "the question is titled '$title', expected 'Speichern unter'"
sleep 1
xdotool key alt+j
for _ in $(seq 100); do
    [ "$(head -c 2 "$folder/Küche.xlsx")" = PK ] && break
    sleep 0.1
done
[ "$(head -c 2 "$folder/Küche.xlsx")" = PK ] ||
    fail "Küche.xlsx was not replaced: the question has no \"Ja\" (Qt's German translations?)"
python3 -c 'import sys, zipfile; sys.exit(b"<v>97.7</v>" not in zipfile.ZipFile(sys.argv[1]).read("xl/worksheets/sheet1.xml"))' "$folder/Küche.xlsx" ||
    fail "Küche.xlsx holds no 97,7"
# Handing the workbook to Windows' program for it leaves Wine's helper with
# the keyboard.
activate "$window" || fail "the window does not take the keyboard back"
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "the program is still running after Alt+F4"
echo PASS
