#!/usr/bin/env bash
# The catalogue of draw-off points in the real program on its own X server, by
# keyboard only: in "Belastungswerte zusammenzählen…", "Dus" opens the list of
# names with their loading units; Down and Return choose "Dusche", whose 2
# fills in "BW je Stück"; Tab twice reaches "Anzahl", 3 is typed, Return ends
# it and Return again is "Übernehmen". Then "Berechnen" and the report, read
# back with pdftotext, lists the row. With a third argument, saves a picture of
# the dialog with its open list to that PNG file.
#   real_window_catalogue_test.sh PROGRAM LOCALE [PNG]
set -euo pipefail
program=$1
locale=$2
picture=${3:-}
. "$(dirname "$0")/../../scripts/headless-window.sh"
work=$(mktemp -d)
trap 'headless_stop; rm -rf "$work"' EXIT
fail() {
    echo "FAIL ($locale): $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

for tool in Xvfb xdotool xwininfo import pdftotext; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
case $locale in
    *de_*) point=, ;;
    *) point=. ;;
esac

printf '#!/bin/sh\nHOME=%s LC_ALL=%s exec %s\n' "$work" "$locale" "$(realpath "$program")" >"$work/program"
chmod +x "$work/program"
headless_start_xvfb "$work" || fail "no X server"
headless_start_program "$work/program" "$work" || fail "no window"
xdotool windowfocus --sync "$WINDOW"
xdotool key alt+e
sleep 0.5
xdotool key Return
focus_dialog '^Belastungswerte zusammenz' || fail "no dialog after Alt+E, Return"
sleep 0.3
xdotool type --delay 60 "Dus"
sleep 0.6
if [ -n "$picture" ]; then
    # The list is a window of its own below the cell: the screen around the dialog.
    geometry=$(xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h "+" x "+" y }')
    import -window root -crop "$geometry" +repage -strip "$picture"
    echo "$picture"
fi
xdotool key Down Return
sleep 0.3
xdotool key Tab Tab
xdotool type --delay 15 "3"
xdotool key Return
sleep 0.5
xdotool key Return
for _ in $(seq 30); do xdotool search --name '^Belastungswerte zusammenz' >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --name '^Belastungswerte zusammenz' >/dev/null 2>&1 && fail "Übernehmen did not close the dialog"

# "Berechnen", then the report through the Datei menu's fourth item.
menu=$(($(xwininfo -id "$WINDOW" | awk '/^ *Height:/ { print $2 }') - 616))
xdotool mousemove --window "$WINDOW" $(((3120 + 1335 / 2) / 15)) $((menu + (720 + 375 / 2) / 15)) click 1
sleep 0.3
xdotool mousemove --window "$WINDOW" 25 8 click 1
sleep 0.5
xdotool key Down Down Down Down Return
focus_dialog '^(Save As|Speichern unter)$' || fail "no save dialog appeared"
xdotool type --delay 10 "$work/Protokoll"
sleep 0.3
xdotool key Return
for _ in $(seq 50); do [ -s "$work/Protokoll.pdf" ] && break; sleep 0.1; done
[ -s "$work/Protokoll.pdf" ] || fail "no Protokoll.pdf was written"
pdftotext -layout "$work/Protokoll.pdf" "$work/text"
# Three showers of 2 loading units: 6 BW, largest 2, 0.31885 l/s (python3, decimal module).
for line in 'Total Belastungswerte: 6 BW' 'Grösster Einzel BW: 2 BW' 'Dusche 2 3 6' "Gipfelfluss: 0${point}32 l/s = 19${point}1 l/min"; do
    tr -s ' ' <"$work/text" | grep -qF -- "$line" || fail "the report lacks \"$line\": $(cat "$work/text")"
done
echo "PASS ($locale)"
