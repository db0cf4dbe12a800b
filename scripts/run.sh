#!/usr/bin/env bash
# Installs what is missing, builds in build/ and starts the program. Without a
# display it runs the program on Xvfb, saves a screenshot of its window to
# build/window.png, says so and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target gipfelfluss
program=$build/src/app/window/gipfelfluss

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

. scripts/headless-window.sh
work=$(mktemp -d)
trap 'headless_stop; rm -rf "$work"' EXIT
headless_start_xvfb "$work"
headless_start_program "$program" "$work"
import -window "$WINDOW" "$build/window.png"
echo "No display: the program ran on Xvfb; its window is in $PWD/$build/window.png"
