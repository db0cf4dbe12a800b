#!/usr/bin/env bash
# Starts the real program on its own X server (Xvfb), waits for its window,
# checks the window's size and some pixels of a screenshot, makes one
# calculation with the keyboard and the mouse, and ends the program with
# "Beenden". Fails when Xvfb or the X tools are missing.
#   real_window_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
xvfb_pid= app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in Xvfb xwininfo xdotool convert import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

# Xvfb picks a free display and writes its number to fd 3 once it is ready.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

"$program" >"$work/program.log" 2>&1 &
app_pid=$!
window=
for _ in $(seq 100); do
    window=$(xwininfo -name "Berechnung Gipfelfluss" 2>/dev/null | awk '/Window id:/ { print $4 }') && [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended early: $(cat "$work/program.log")"
    sleep 0.1
done
[ -n "$window" ] || fail "no window \"Berechnung Gipfelfluss\" appeared"
sleep 0.5

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
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after Beenden"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
