#!/usr/bin/env bash
# The setup program under Wine, as an administrator runs it: installed
# silently (/S), the installed program answers --version and --berechnen,
# its executables carry version, description and publisher (gipfelfluss.exe
# a window program, gipfelfluss.com a console program), the Start menu
# entry and the uninstaller's registry entry are there with
# name, version and publisher; uninstalled silently, nothing of the program
# is left, no file and no registry key.
#   setup_test.sh SETUP.exe
# Wine's settings come from scripts/windows/wine-environment.sh; the test
# works in a copy of its prefix.
set -euo pipefail
setup=$(realpath "$1")
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

wineserver -w
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX=$work/prefix
folder="$WINEPREFIX/drive_c/Program Files/Gipfelfluss"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Gipfelfluss.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gipfelfluss'
# registry KEY: the key's values; fails as reg does when it is not there (pipefail).
registry() { wine reg query "$@" /reg:64 2>/dev/null | tr -d '\r'; }

wine "$setup" /S
wineserver -w
[ -f "$folder/gipfelfluss.exe" ] && [ -f "$folder/gipfelfluss.com" ] || fail "nothing installed in Program Files"
[ -f "$link" ] || fail "no Start menu entry"
# What Explorer's Properties show, and which of the two opens a console.
for program in gipfelfluss.exe gipfelfluss.com; do
    resources=$(strings -el "$folder/$program")
    for value in "Gipfelfluss-Team" "Gipfelfluss von Trinkwasser-Installationen berechnen" "$version" "$program"; do
        grep -qxF "$value" <<<"$resources" || fail "$program: '$value' is not in its version resource"
    done
done
subsystem() { x86_64-w64-mingw32-objdump -p "$folder/$1" | sed -n 's/^Subsystem.*(\(.*\))$/\1/p'; }
[ "$(subsystem gipfelfluss.exe)" = "Windows GUI" ] || fail "gipfelfluss.exe opens a console"
[ "$(subsystem gipfelfluss.com)" = "Windows CUI" ] || fail "gipfelfluss.com is no console program"
[ "$(LC_ALL=C.UTF-8 wine "$folder/gipfelfluss.com" --version | tr -d '\r')" = "gipfelfluss $version" ] ||
    fail "the installed program does not answer --version"
[ "$(LC_ALL=C.UTF-8 wine "$folder/gipfelfluss.com" --berechnen 250 5 | tr -d '\r')" = "$(printf '1.63 l/s\t97.7 l/min')" ] ||
    fail "the installed program does not calculate 250 and 5"
entry=$(registry "$key")
for value in "DisplayName    REG_SZ    Gipfelfluss" "DisplayVersion    REG_SZ    $version" "Publisher    REG_SZ    Gipfelfluss-Team"; do
    grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks '$value': $entry"
done
uninstall=$(sed -n 's/.*QuietUninstallString    REG_SZ    //p' <<<"$entry")
[ -n "$uninstall" ] || fail "no QuietUninstallString"

eval "wine $(sed 's/\\/\\\\/g' <<<"$uninstall")"
wineserver -w
[ ! -e "$folder" ] || fail "left in Program Files: $(find "$folder" | head)"
[ ! -e "$link" ] || fail "the Start menu entry is left"
registry "$key" >/dev/null && fail "the uninstall entry is left"
registry 'HKLM\Software\Gipfelfluss' >/dev/null && fail "the program's registry key is left"
echo PASS
