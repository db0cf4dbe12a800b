#!/usr/bin/env bash
# Saves the calculation report from the real program on its own X server:
# 250 loading units, largest single unit 5, "Berechnen", then "Protokoll als
# PDF speichern…" from the Datei menu, the name typed into the save dialog
# without its suffix and confirmed with Return. Then prints it with Ctrl+P:
# the print dialog comes from the program's print module, and without a
# printer on this machine it prints to a PDF file in the home folder. Reads
# both PDFs back with poppler. With a third argument, renders the first page
# of the saved report to that PNG file.
#   real_window_report_test.sh PROGRAM LOCALE [PNG]
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

for tool in Xvfb xdotool pdftotext pdfinfo pdftoppm; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

# Only the program runs in the locale; the X tools keep theirs. Qt names the
# save dialog in the locale's language.
printf '#!/bin/sh\nHOME=%s LC_ALL=%s exec %s\n' "$work" "$locale" "$(realpath "$program")" >"$work/program"
chmod +x "$work/program"
headless_start_xvfb "$work" || fail "no X server"
headless_start_program "$work/program" "$work" || fail "no window"
xdotool type --delay 20 250
xdotool key Tab
xdotool type --delay 20 5
menu=$(($(xwininfo -id "$WINDOW" | awk '/^ *Height:/ { print $2 }') - 616))
xdotool mousemove --window "$WINDOW" $(((3120 + 1335 / 2) / 15)) $((menu + (720 + 375 / 2) / 15)) click 1
sleep 0.3
# "Datei" in the menu bar, then its fourth item.
xdotool mousemove --window "$WINDOW" 25 8 click 1
sleep 0.5
xdotool key Down Down Down Down Return
focus_dialog '^(Save As|Speichern unter)$' || fail "no save dialog appeared"
xdotool type --delay 10 "$work/Protokoll"
sleep 0.3
xdotool key Return
for _ in $(seq 50); do [ -s "$work/Protokoll.pdf" ] && break; sleep 0.1; done
[ -s "$work/Protokoll.pdf" ] || fail "no Protokoll.pdf was written"

pdfinfo "$work/Protokoll.pdf" >"$work/info"
grep -q '^Title: *Berechnung Gipfelfluss$' "$work/info" || fail "title: $(grep Title "$work/info")"
pdftotext -layout "$work/Protokoll.pdf" "$work/text"
case $locale in
    *de_*) flow='1,63 l/s = 97,7 l/min' ;;
    *) flow='1.63 l/s = 97.7 l/min' ;;
esac
for text in 'Berechnung Gipfelfluss – Protokoll' "$flow" 'Seite 1 von 1'; do
    grep -qF "$text" "$work/text" || fail "the report lacks \"$text\""
done

# Printing: a click into the window gives it the keyboard back.
xdotool mousemove --window "$WINDOW" 30 $((menu + 60)) click 1
sleep 0.3
xdotool key ctrl+p
focus_dialog '^(Print|Drucken)$' || fail "no print dialog appeared"
xdotool key Return
printed="$work/Berechnung Gipfelfluss.pdf"
for _ in $(seq 50); do [ -s "$printed" ] && break; sleep 0.1; done
[ -s "$printed" ] || fail "printing wrote no \"$printed\""
pdftotext -layout "$printed" "$work/printed"
for text in 'Berechnung Gipfelfluss – Protokoll' "$flow" 'Seite 1 von 1'; do
    grep -qF "$text" "$work/printed" || fail "the printed report lacks \"$text\""
done

if [ -n "$picture" ]; then
    pdftoppm -r 75 -png -singlefile "$work/Protokoll.pdf" "${picture%.png}"
    echo "$picture"
fi
echo "PASS ($locale)"
