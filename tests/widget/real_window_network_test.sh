#!/usr/bin/env bash
# "Teilstrecken berechnen…" in the real program on its own X server, with a
# network that LibreOffice Calc saved (tests/fixtures/make_network.py): the
# list chosen in the open dialog, the result named in the save dialog, and
# the closing message copied with Ctrl+C and read back: the counts, the most
# unfavourable path and the required supply pressure. With a third argument,
# saves a picture of the message to that PNG file.
#   real_window_network_test.sh PROGRAM LIST LOCALE [PNG]
set -euo pipefail
program=$1
list=$(realpath "$2")
locale=$3
picture=${4:-}
. "$(dirname "$0")/../../scripts/headless-window.sh"
work=$(mktemp -d)
trap 'headless_stop; rm -rf "$work"' EXIT
fail() {
    echo "FAIL ($locale): $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}
for tool in Xvfb xdotool xwininfo xclip import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
case $locale in
    *de_*) point=, ;;
    *) point=. ;;
esac

# The settings in the test's own home; the desktop's spreadsheet program is
# not started for the result.
printf '#!/bin/sh\nHOME=%s XDG_CONFIG_HOME=%s/config LC_ALL=%s BROWSER=true exec %s\n' "$work" "$work" "$locale" \
    "$(realpath "$program")" >"$work/program"
chmod +x "$work/program"
headless_start_xvfb "$work" || fail "no X server"
headless_start_program "$work/program" "$work" || fail "no window"
xdotool windowfocus --sync "$WINDOW"
# Datei, the third item.
xdotool mousemove --window "$WINDOW" 25 8 click 1
sleep 0.5
xdotool key Down Down Down Return
focus_dialog '^(Open|Öffnen)$' || fail "no open dialog appeared"
xdotool type --delay 10 "$list"
sleep 0.3
xdotool key Return
focus_dialog '^(Save As|Speichern unter)$' || fail "no save dialog appeared"
xdotool key ctrl+a
xdotool type --delay 10 "$work/Haus"
sleep 0.3
xdotool key Return
focus_dialog '^Teilstrecken berechnet$' || fail "no closing message appeared"
[ -s "$work/Haus.xlsx" ] || fail "no Haus.xlsx was written"
sleep 0.3
if [ -n "$picture" ]; then
    import -window "$DIALOG" -strip "$picture"
    echo "$picture"
fi
xdotool key ctrl+c
sleep 0.3
xclip -selection clipboard -o >"$work/message" 2>/dev/null || fail "the message could not be copied"
for line in 'Teilstrecken berechnet: ' 'Abgewiesen (Grund in der Spalte „Hinweis“): 0' \
    'Ungünstigster Fliessweg: ' "Erforderlicher Versorgungsdruck: " "Reserve: " "Ergebnis: $work/Haus.xlsx"; do
    grep -qF -- "$line" "$work/message" || fail "the message lacks \"$line\": $(cat "$work/message")"
done
grep -q "Erforderlicher Versorgungsdruck: [0-9]*${point}[0-9] hPa" "$work/message" ||
    fail "the required pressure is not written with \"$point\": $(cat "$work/message")"
xdotool key Return
echo "PASS ($locale)"
