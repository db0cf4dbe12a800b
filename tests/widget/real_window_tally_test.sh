#!/usr/bin/env bash
# "Belastungswerte zusammenzählen…" in the real program on its own X server,
# by keyboard only: Alt+E and Return open the dialog, five draw-off points are
# typed cell by cell with Tab (one of them at 0,5 loading units), Return ends
# the last cell and Return again is "Übernehmen". Then "Berechnen" and the
# report saved from the Datei menu, read back with pdftotext: the boxes held
# the tally's total and largest single unit, and the report lists the rows.
# With a third argument, saves a picture of the filled dialog to that PNG file.
#   real_window_tally_test.sh PROGRAM LOCALE [PNG]
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

# Only the program runs in the locale; the X tools keep theirs.
printf '#!/bin/sh\nHOME=%s LC_ALL=%s exec %s\n' "$work" "$locale" "$(realpath "$program")" >"$work/program"
chmod +x "$work/program"
headless_start_xvfb "$work" || fail "no X server"
headless_start_program "$work/program" "$work" || fail "no window"
xdotool windowfocus --sync "$WINDOW"
xdotool key alt+e
sleep 0.5
xdotool key Return
# xdotool's patterns match no letters beyond ASCII: the title's beginning.
focus_dialog '^Belastungswerte zusammenz' || fail "no dialog after Alt+E, Return"
sleep 0.3
first=yes
while IFS='|' read -r name each count; do
    [ "$first" = yes ] || xdotool key Tab
    first=no
    # Slowly: a letter beyond ASCII is typed through a key remapped for the
    # moment it takes, and the name list opening as the name is typed can
    # keep a slow (sanitizer) build from reading it in that moment.
    xdotool type --delay 120 "$name"
    sleep 0.2
    xdotool key Tab
    xdotool type --delay 15 "${each/./$point}"
    xdotool key Tab
    xdotool type --delay 15 "$count"
done <<'ROWS'
Waschtisch|1|6
Dusche|2|4
Badewanne|4|2
Spültisch|2|1
Urinal|0.5|3
ROWS
xdotool key Return
sleep 0.5
if [ -n "$picture" ]; then
    import -window "$DIALOG" -strip "$picture"
    echo "$picture"
fi
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
# 25.5 loading units, largest single unit 4: 0.74629 l/s (python3, decimal module).
for line in "Total Belastungswerte: 25${point}5 BW" 'Grösster Einzel BW: 4 BW' \
    "Gipfelfluss: 0${point}75 l/s = 44${point}8 l/min" 'Ermittlung der Belastungswerte' \
    'Spültisch 2 1 2' "Urinal 0${point}5 3 1${point}5" "Total Belastungswerte 25${point}5"; do
    tr -s ' ' <"$work/text" | grep -qF -- "$line" || fail "the report lacks \"$line\": $(cat "$work/text")"
done
echo "PASS ($locale)"
