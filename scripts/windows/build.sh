#!/usr/bin/env bash
# The Windows program, as root on Debian 12: cross-builds it with the
# libraries of toolchain.sh (built or taken from their cache), runs its tests
# under Wine, and makes
#   dist/Gipfelfluss-<version>-Setup.exe    the setup program (NSIS)
#   dist/Gipfelfluss-<version>-windows.zip  the same program, runnable unpacked
# then tests them under Wine as a user would: the command line against the
# Debian program's (in build/, which it builds when missing), the real window
# on an X server of its own, and the setup installing and uninstalling.
# GIPFELFLUSS_WINDOWS_BUILD_DIR names the build folder (build-windows).
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD

# What the tests under Wine need besides the toolchain's packages: an X
# server with a window manager, keyboard and clipboard tools, a German locale.
packages=(xvfb xauth openbox xdotool xclip x11-utils imagemagick locales python3-openpyxl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" ||
    { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"; }
fi
# Wine takes its locale from the build machine's: German, and a metric one
# with a decimal point (as Linux's C locale) for the tests.
for wanted in de_DE en_GB; do
  if ! grep -qix "$wanted\.utf-\?8" <<<"$(locale -a)"; then
    sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" >>/etc/locale.gen
    generate=yes
  fi
done
[ -z "${generate:-}" ] || locale-gen >/dev/null

prefix=$(scripts/windows/toolchain.sh)
export GIPFELFLUSS_WINDOWS_PREFIX=$prefix
build=${GIPFELFLUSS_WINDOWS_BUILD_DIR:-build-windows}
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

echo "== Windows: cross-build ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$top/scripts/windows/mingw-w64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$top/scripts/windows/wine-test.sh"
cmake --build "$build"

# Wine, in a prefix of the build's own.
. scripts/windows/wine-environment.sh "$top/$build/wine"

echo "== Windows: tests under Wine"
# A test that hangs fails after ten minutes instead of holding up the run.
(wine_build_paths "$prefix" && ctest --test-dir "$build" --output-on-failure --timeout 600)

echo "== Windows: the program as delivered"
stage=$top/$build/stage/Gipfelfluss
rm -rf "$top/$build/stage"
cmake --install "$build" --prefix "$stage"
mkdir -p dist
rm -f "dist/Gipfelfluss-$version-windows.zip" "dist/Gipfelfluss-$version-Setup.exe"
(cd "$top/$build/stage" && zip -qr9 "$top/dist/Gipfelfluss-$version-windows.zip" Gipfelfluss)
publisher=$(sed -n 's/^set(GIPFELFLUSS_PUBLISHER "\(.*\)")/\1/p' CMakeLists.txt)
scripts/windows/make-setup.sh "$stage" "$version" "$publisher" "dist/Gipfelfluss-$version-Setup.exe"

echo "== Windows: the command line against the Debian program's"
if [ ! -x build/src/app/window/gipfelfluss ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build --target gipfelfluss
fi
bash tests/windows/command_line_test.sh build/src/app/window/gipfelfluss "$stage/gipfelfluss.com"

echo "== Windows: the real window under Wine"
bash tests/windows/real_window_test.sh "$stage/gipfelfluss.exe" "$top/$build/screenshot-windows.png"

echo "== Windows: the setup, silently installed and uninstalled"
bash tests/windows/setup_test.sh "dist/Gipfelfluss-$version-Setup.exe"
ls -l dist/Gipfelfluss-"$version"-*
