#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a desktop needs:
# the program, its window, workbook and print modules, its desktop entry and its icon in the hicolor theme.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/gipfelfluss" ] || fail "bin/gipfelfluss is missing"
# The window is a module too: the program itself links QtCore alone, so that
# its command line answers without Qt Widgets, Qt GUI and the window system.
window=$(find "$prefix/lib" -path '*/gipfelfluss/gipfelfluss-window.so' -type f)
[ -n "$window" ] || fail "lib/.../gipfelfluss/gipfelfluss-window.so is missing"
readelf -d "$window" | grep -q 'NEEDED.*libQt6Widgets' || fail "the window module does not link Qt Widgets"
if readelf -d "$prefix/bin/gipfelfluss" | grep -E 'NEEDED.*(Qt6Widgets|Qt6Gui|X11|xcb)'; then
    fail "the program links Qt Widgets, Qt GUI or X11 itself"
fi
# The installed program finds its window module.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 10 "$prefix/bin/gipfelfluss" -style fusion Datei.xls \
    2>"$prefix/err" || status=$?
if [ "$status" -ne 2 ] || ! grep -q 'Datei.xls' "$prefix/err"; then
    fail "the installed window module does not answer (status $status)"
fi
# Without it, the program says why in German and fails.
mv "$window" "$prefix/moved.so"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 10 "$prefix/bin/gipfelfluss" -style fusion Datei.xls \
    2>"$prefix/err" || status=$?
if [ "$status" -ne 1 ] || ! grep -q '^gipfelfluss: Das Programmmodul für das Fenster ist nicht installiert' "$prefix/err"; then
    fail "without its window module the program ends with status $status: $(cat "$prefix/err")"
fi
mv "$prefix/moved.so" "$window"
# The workbook formats are a module beside the program, loaded on first use:
# the program itself needs none of the spreadsheet libraries at start.
module=$(find "$prefix/lib" -path '*/gipfelfluss/gipfelfluss-workbook.so' -type f)
[ -n "$module" ] || fail "lib/.../gipfelfluss/gipfelfluss-workbook.so is missing"
readelf -d "$module" | grep -q 'NEEDED.*libzip' || fail "the module does not link libzip"
if readelf -d "$prefix/bin/gipfelfluss" | grep -E 'NEEDED.*(libzip|libgsf)'; then
    fail "the program links a spreadsheet library itself"
fi
# Printing, likewise: Qt Print Support is loaded with the print module.
printing=$(find "$prefix/lib" -path '*/gipfelfluss/gipfelfluss-print.so' -type f)
[ -n "$printing" ] || fail "lib/.../gipfelfluss/gipfelfluss-print.so is missing"
readelf -d "$printing" | grep -q 'NEEDED.*libQt6PrintSupport' || fail "the print module does not link Qt Print Support"
if readelf -d "$prefix/bin/gipfelfluss" | grep -E 'NEEDED.*PrintSupport'; then
    fail "the program links Qt Print Support itself"
fi
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$(dirname "$0")/../../src/app/window/gipfelfluss.metainfo.xml")
entry=$prefix/share/applications/$id.desktop
[ -f "$entry" ] || fail "the desktop entry is missing"
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is not installed (scripts/install-deps.sh installs it)"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qx 'Exec=gipfelfluss' "$entry" || fail "the desktop entry does not start gipfelfluss"
grep -qx 'Icon=gipfelfluss' "$entry" || fail "the desktop entry names no icon"
grep -qx 'Name=Gipfelfluss' "$entry" || fail "the desktop entry has no name"
for size in 16 32 48 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/gipfelfluss.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon has another size"
done
echo PASS
