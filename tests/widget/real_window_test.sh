#!/usr/bin/env bash
# Starts the real program on its own X server (Xvfb), waits for its window,
# checks the window's size and some pixels of a screenshot, makes one
# calculation with the keyboard and the mouse, and ends the program with
# "Beenden". Fails when Xvfb or the X tools are missing.
#   real_window_test.sh PROGRAM
set -euo pipefail
program=$1
. "$(dirname "$0")/../../scripts/headless-window.sh"
work=$(mktemp -d)
trap 'headless_stop; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

for tool in Xvfb xwininfo xprop xdotool convert import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
headless_start_xvfb "$work" || fail "no X server"
headless_start_program "$program" "$work" || fail "no window"
window=$WINDOW
info=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ { print $2 }' <<<"$info")
height=$(awk '/^ *Height:/ { print $2 }' <<<"$info")
left=$(awk '/Absolute upper-left X:/ { print $4 }' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ { print $4 }' <<<"$info")
echo "window $window: ${width}x${height} at $left,$top"
# 12135 x 9240 twips of client area below a menu bar.
[ "$width" -eq 809 ] || fail "window width $width, expected 809"
menu=$((height - 616))
{ [ "$menu" -ge 15 ] && [ "$menu" -le 40 ]; } || fail "window height $height, expected 616 and a menu bar"

pixel() { # pixel IMAGE X Y -> r,g,b
    convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}
expect_pixel() { # IMAGE X Y R,G,B WHAT
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5 at $2,$3 is $got, expected $4"
}
count_colour() { # IMAGE R,G,B X Y W H -> number of pixels of that colour in the area
    convert "$1" -crop "$5x$6+$3+$4" +repage -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

import -window "$window" "$work/start.png"
# The icon is set just after the first paint: the window manager gets its 32 and 16 pixel images.
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort | tr '\n' ' ')
[ "$icons" = "Icon (16 x 16) Icon (32 x 32) " ] || fail "window icon images: '$icons'"
# Client coordinates are pixels below the menu bar.
expect_pixel "$work/start.png" 4 $((menu + 4)) 192,192,192 "window background"
# Picture1 spans 8..801 x 184..577, its drawing area 2 pixels inside; the lower
# right part of the chart is bare.
expect_pixel "$work/start.png" 700 $((menu + 540)) 255,224,192 "chart background"
blue=$(count_colour "$work/start.png" 0,0,128 10 $((menu + 186)) 789 389)
[ "$blue" -gt 1000 ] || fail "the reference lines are missing ($blue dark blue pixels)"
red=$(count_colour "$work/start.png" 255,0,0 10 $((menu + 186)) 789 389)
[ "$red" -eq 0 ] || fail "a result marker before any calculation ($red red pixels)"

# Typing goes into Text1; Tab reaches Text2; then a click on "Berechnen".
xdotool type --delay 20 250
xdotool key Tab
xdotool type --delay 20 5
xdotool mousemove --window "$window" $((208 + 44)) $((menu + 48 + 12)) click 1
sleep 0.5
import -window "$window" "$work/result.png"
red=$(count_colour "$work/result.png" 255,0,0 10 $((menu + 186)) 789 389)
[ "$red" -gt 500 ] || fail "no result marker after Berechnen ($red red pixels)"

# "Beenden" ends the program with success.
xdotool mousemove --window "$window" $((208 + 44)) $((menu + 112 + 12)) click 1
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "the program is still running after Beenden"
status=0
wait "$APP_PID" || status=$?
APP_PID=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
