#!/usr/bin/env bash
# "Rohrweite bemessen…" in the real program on its own X server: 250 and 5
# calculated, the dialog opened from the Extras menu by keyboard, a length
# and Σζ typed, "Übernehmen" with Return; then the report saved from the
# Datei menu and read back with pdftotext. Values from python3-iapws and
# fluids (tests/fixtures/make_sizing.py). With a third argument, saves a
# picture of the filled dialog to that PNG file.
#   real_window_sizing_test.sh PROGRAM LOCALE [PNG]
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

# The settings in the test's own home: no file of series remembered.
printf '#!/bin/sh\nHOME=%s XDG_CONFIG_HOME=%s/config LC_ALL=%s exec %s\n' "$work" "$work" "$locale" "$(realpath "$program")" >"$work/program"
chmod +x "$work/program"
headless_start_xvfb "$work" || fail "no X server"
headless_start_program "$work/program" "$work" || fail "no window"
xdotool windowfocus --sync "$WINDOW"
xdotool type --delay 20 250
xdotool key Tab
xdotool type --delay 20 5
menu=$(($(xwininfo -id "$WINDOW" | awk '/^ *Height:/ { print $2 }') - 616))
xdotool mousemove --window "$WINDOW" $(((3120 + 1335 / 2) / 15)) $((menu + (720 + 375 / 2) / 15)) click 1
sleep 0.5
# Extras, the second item: enabled now that a result is shown.
xdotool key alt+e
sleep 0.5
xdotool key Down Return
focus_dialog '^Rohrweite bemessen$' || fail "no dialog after Alt+E, Down, Return"
sleep 0.3
# From "Rohrserie": "Rohrserien einlesen…", v max, Länge, Σζ.
xdotool key Tab Tab Tab
xdotool type --delay 15 12
xdotool key Tab
xdotool type --delay 15 "4${point}5"
sleep 0.5
if [ -n "$picture" ]; then
    import -window "$DIALOG" -strip "$picture"
    echo "$picture"
fi
xdotool key Return
for _ in $(seq 30); do xdotool search --name '^Rohrweite bemessen$' >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --name '^Rohrweite bemessen$' >/dev/null 2>&1 && fail "Return (Übernehmen) did not close the dialog"

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
for line in 'Rohrweite' "Rohr: 42×1,5, di 39${point}0 mm" "Fliessgeschwindigkeit v: 1${point}36 m/s" \
    "Druckgefälle R: 5${point}2 hPa/m" "Länge l: 12 m, R·l: 62${point}9 hPa" "Σζ: 4${point}5, Z: 41${point}8 hPa" \
    "Druckverlust Δp: 104${point}8 hPa" 'Wassertemperatur: 10 °C'; do
    tr -s ' ' <"$work/text" | grep -qF -- "$line" || fail "the report lacks \"$line\": $(cat "$work/text")"
done
echo "PASS ($locale)"
