#!/usr/bin/env bash
# Makes docs/screenshot.png with the real program on Xvfb: the window after
# typing 250 loading units, largest single unit 5, and pressing "Berechnen".
#   screenshot.sh [BUILD_DIR]   (default build/, built beforehand)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
. scripts/headless-window.sh
work=$(mktemp -d)
trap 'headless_stop; rm -rf "$work"' EXIT
headless_start_xvfb "$work"
headless_start_program "$build/src/app/window/gipfelfluss" "$work"

xdotool type --delay 20 250
xdotool key Tab
xdotool type --delay 20 5
# The middle of "Berechnen" (3120, 720, 1335 x 375 twips) below the menu bar.
menu=$(($(xwininfo -id "$WINDOW" | awk '/^ *Height:/ { print $2 }') - 616))
xdotool mousemove --window "$WINDOW" $(((3120 + 1335 / 2) / 15)) $((menu + (720 + 375 / 2) / 15)) click 1
xdotool mousemove --window "$WINDOW" 700 $((menu + 600))
sleep 0.5
mkdir -p docs
import -window "$WINDOW" -strip docs/screenshot.png
echo "docs/screenshot.png"
