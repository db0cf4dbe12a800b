#!/usr/bin/env bash
# Installs what is missing, builds out of the source tree and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build=${GIPFELFLUSS_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure
