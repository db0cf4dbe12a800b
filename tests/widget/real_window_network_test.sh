#!/usr/bin/env bash
# "Teilstrecken berechnen…" in the real program on its own X server, with a
# network that LibreOffice Calc saved (tests/fixtures/make_network.py): the
# list chosen in the open dialog, the result named in the save dialog, and
# the closing message read back over AT-SPI as a screen reader reads it: the counts, the most
# unfavourable path, the required supply pressure, the reserve and the water
# content as network-expected.tsv beside the list gives them. MODE
# "nach-druck" first switches on Extras → "Rohrweite nach Druck" and reads
# pressure-expected.tsv, with the enlarged sections. With a fifth argument,
# saves a picture of the message to that PNG file.
#   real_window_network_test.sh PROGRAM LIST LOCALE MODE [PNG]
set -euo pipefail
if [ -z "${GIPFELFLUSS_DBUS_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is not installed" >&2; exit 1; }
    GIPFELFLUSS_DBUS_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
program=$1
list=$(realpath "$2")
locale=$3
mode=$4
picture=${5:-}
case $mode in
    nach-druck) expected=$(dirname "$list")/pressure-expected.tsv ;;
    *) expected=$(dirname "$list")/network-expected.tsv ;;
esac
. "$(dirname "$0")/../../scripts/headless-window.sh"
work=$(mktemp -d)
ATSPI_PID=
trap 'headless_stop; [ -z "$ATSPI_PID" ] || kill "$ATSPI_PID" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL ($locale): $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}
for tool in Xvfb xdotool xwininfo import; do
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
headless_start_atspi "$work" || fail "no accessibility bus"
headless_start_program "$work/program" "$work" || fail "no window"
xdotool windowfocus --sync "$WINDOW"
if [ "$mode" = nach-druck ]; then
    # Extras: without a result "Rohrweite bemessen…" is passed over, the switch comes next.
    xdotool key alt+e
    sleep 0.5
    xdotool key Down Return
    sleep 0.3
fi
# Datei, the third item.
xdotool mousemove --window "$WINDOW" 25 8 click 1
sleep 0.5
xdotool key Down Down Down Return
focus_dialog '^(Open|.*ffnen)$' || fail "no open dialog appeared"
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
# The message's lines, from its labels.
timeout 30 /usr/bin/python3 - >"$work/message" <<'EOF' || fail "the message could not be read over AT-SPI"
import time
import pyatspi

def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)

for _ in range(50):
    boxes = [n for app in pyatspi.Registry.getDesktop(0) for n in walk(app) if n.name == "Teilstrecken berechnet"
             and n.getRoleName() in ("alert", "dialog")]
    if boxes:
        print("\n".join(n.name for n in walk(boxes[0]) if n.getRoleName() == "label"))
        break
    time.sleep(0.2)
else:
    raise SystemExit("no message box on the accessibility bus")
EOF
value() { awk -F'\t' -v key="#$1" '$1 == key { print $2 }' "$expected" | tr . "$point"; }
# The content as the message rounds it: the field with one decimal.
content=$(awk -F'\t' '$1 == "#content" { for (i = 2; i <= NF; ++i) if ($i ~ /^[0-9]+\.[0-9]$/) print $i }' "$expected" | tr . "$point")
lines=("Teilstrecken berechnet: $(grep -vc '^#' "$expected")" 'Abgewiesen (Grund in der Spalte „Hinweis“): 0'
    "Ungünstigster Fliessweg: $(value path)" "Erforderlicher Versorgungsdruck: $(value required) hPa"
    "Reserve: $(value reserve) hPa" "Wasserinhalt: $content l" "Ergebnis: $work/Haus.xlsx")
[ "$mode" = nach-druck ] && lines+=("Vergrössert: $(value enlarged) Teilstrecken")
for line in "${lines[@]}"; do
    grep -qxF -- "$line" "$work/message" || fail "the message lacks the line \"$line\": $(cat "$work/message")"
done
xdotool key Return
echo "PASS ($locale)"
