#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test three times over:
#   build/        the ordinary build: unit, widget and real-window tests
#   build-asan/   the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   build-fuzz/   the libFuzzer targets (clang), each for a bounded time
#   dist/         the Debian package: built, lintian, installed, checked, purged
#   build-windows/ the Windows program, cross-built, tested under Wine, and its
#                 setup program and zip in dist/ (scripts/windows/build.sh; the
#                 first run builds the Windows libraries, later runs take them
#                 from their cache)
# GIPFELFLUSS_QUICK=1 runs only the ordinary build.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build=${GIPFELFLUSS_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen

echo "== ordinary build ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure

if [ "${GIPFELFLUSS_QUICK:-0}" = 1 ]; then exit 0; fi

echo "== AddressSanitizer and UndefinedBehaviorSanitizer ($build-asan)"
cmake -S . -B "$build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGIPFELFLUSS_SANITIZE=ON
cmake --build "$build-asan"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp \
  ctest --test-dir "$build-asan" --output-on-failure

echo "== libFuzzer ($build-fuzz)"
CC=clang CXX=clang++ cmake -S . -B "$build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGIPFELFLUSS_FUZZ=ON
cmake --build "$build-fuzz"
ctest --test-dir "$build-fuzz" --output-on-failure

echo "== Debian package (dist/)"
# The tests ran above; the package build leaves them out to stay within minutes.
DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" ./scripts/check-package.sh

echo "== Windows (build-windows/, dist/)"
./scripts/windows/build.sh
