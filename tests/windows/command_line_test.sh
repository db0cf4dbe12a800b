#!/usr/bin/env bash
# The Windows program's command line under Wine against the Debian program's:
# --teilstrecken on the section lists LibreOffice wrote (.xlsx, .ods, .xls,
# and a semicolon CSV in Windows-1252; sized and counting ones too), kept in
# a folder with blanks and letters beyond ASCII and given as Windows gives
# paths, prints the same lines character for character (line ends aside)
# with the same exit status, and a network the same summary too, also with
# its sizes chosen by pressure; so do --berechnen, --rohrserien,
# --entnahmestellen, --version and a refusal; a result workbook is written there.
#   command_line_test.sh DEBIAN_PROGRAM WINDOWS_PROGRAM.com
# Wine's prefix and settings come from scripts/windows/wine-environment.sh.
set -euo pipefail
debian=$1 windows=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
# Wine's helper processes, started here without a display, end with the test:
# a window test after it starts them anew on its X server.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
windows_path() { echo "Z:${1//\//\\}"; }

folder="$work/Jürg Müller/Dokumente"
mkdir -p "$folder"
for ending in xlsx ods xls csv; do cp "$top/tests/fixtures/sections-libreoffice.$ending" "$folder/Küche.$ending"; done
# Sized lists and a user's pipe series.
for ending in xlsx csv; do
    cp "$top/tests/fixtures/sized-libreoffice.$ending" "$folder/Bemessen.$ending"
    cp "$top/tests/fixtures/pipe-series-libreoffice.$ending" "$folder/Rohrserien.$ending"
    cp "$top/tests/fixtures/counted-libreoffice.$ending" "$folder/Zählen.$ending"
    cp "$top/tests/fixtures/drawoffs-libreoffice.$ending" "$folder/Entnahmestellen.$ending"
    cp "$top/tests/fixtures/network-libreoffice.$ending" "$folder/Netz.$ending"
    cp "$top/tests/fixtures/pressure-libreoffice.$ending" "$folder/Druck.$ending"
done

# run NAME PROGRAM ARGS...: standard output to NAME.out (line ends as on
# Linux), standard error to NAME.err, the exit status to NAME.status.
run() {
    local name=$1 status=0
    shift
    LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 timeout 120 "$@" >"$work/$name.out" 2>"$work/$name.err" </dev/null || status=$?
    sed -i 's/\r$//' "$work/$name.out" "$work/$name.err"
    echo "$status" >"$work/$name.status"
}
same() { # WHAT ARGS... (for both programs; @LIST@ stands for the list's path, @SERIES@ for the series file's, @POINTS@ for the draw-off points')
    local what=$1
    shift
    local linux=("${@//@LIST@/$folder/$list.$ending}") win=("${@//@LIST@/$(windows_path "$folder/$list.$ending")}")
    linux=("${linux[@]//@SERIES@/$folder/Rohrserien.$ending}") win=("${win[@]//@SERIES@/$(windows_path "$folder/Rohrserien.$ending")}")
    linux=("${linux[@]//@POINTS@/$folder/Entnahmestellen.$ending}") win=("${win[@]//@POINTS@/$(windows_path "$folder/Entnahmestellen.$ending")}")
    run debian "$debian" "${linux[@]}"
    run windows wine "$windows" "${win[@]}"
    # Wine itself now and then faults as a program ends ("wine: Unhandled page
    # fault …", seen once in a few hundred runs): such a run is made once more.
    if grep -q '^wine: Unhandled' "$work/windows.err"; then
        echo "note: $what: $(head -n 1 "$work/windows.err"); once more" >&2
        run windows wine "$windows" "${win[@]}"
    fi
    cmp -s "$work/debian.out" "$work/windows.out" ||
        fail "$what: the output differs: $(diff "$work/debian.out" "$work/windows.out" | head -n 10)"
    cmp -s "$work/debian.status" "$work/windows.status" ||
        fail "$what: exit status $(cat "$work/windows.status"), on Debian $(cat "$work/debian.status")"
    [ -s "$work/debian.out" ] || [ -s "$work/debian.err" ] || fail "$what printed nothing at all"
}

list=Küche
for ending in xlsx ods xls csv; do
    same "--teilstrecken Küche.$ending" --teilstrecken @LIST@
    [ "$(cat "$work/windows.status")" = 1 ] || fail "Küche.$ending: exit status $(cat "$work/windows.status"), expected 1"
    grep -q '^TS 1 Küche	' "$work/windows.out" || fail "Küche.$ending: no section »TS 1 Küche« in the output"
done
# Pipe sizing: the same sizes and losses, with the built-in series and the user's.
list=Bemessen
for ending in xlsx csv; do
    same "--teilstrecken Bemessen.$ending" --teilstrecken @LIST@
    grep -q '^TS 1 Keller	.*	Kupfer 42×1,5	39,0	1,36	5,2	62,9	41,8	104,8	$' "$work/windows.out" ||
        fail "Bemessen.$ending: TS 1 not sized as on Debian: $(head -n 2 "$work/windows.out")"
    same "--teilstrecken Bemessen.$ending --rohrserien-datei" --teilstrecken @LIST@ --rohrserien-datei @SERIES@
    grep -q '	Kupfer 35×1,2	32,6	' "$work/windows.out" || fail "Bemessen.$ending: the user's series not taken"
done
# Counted draw-off points: the same totals, with the built-in catalogue and the user's.
list=Zählen
for ending in xlsx csv; do
    same "--teilstrecken Zählen.$ending" --teilstrecken @LIST@
    grep -q '^TS 3 Strang	.*	72	4	Einzel BW 4	1,05	63,2	$' "$work/windows.out" ||
        fail "Zählen.$ending: TS 3 not counted as on Debian: $(head -n 4 "$work/windows.out")"
    same "--teilstrecken Zählen.$ending --entnahmestellen-datei" --teilstrecken @LIST@ --entnahmestellen-datei @POINTS@
    grep -q '	66,3	4	Einzel BW 4	' "$work/windows.out" || fail "Zählen.$ending: the user's draw-off points not taken"
done
# A network: the same sums, pressures and path, and the same summary on standard error.
list=Netz
for ending in xlsx csv; do
    same "--teilstrecken Netz.$ending" --teilstrecken @LIST@
    cmp -s "$work/debian.err" "$work/windows.err" ||
        fail "Netz.$ending: the summary differs: $(diff "$work/debian.err" "$work/windows.err" | head -n 10)"
    grep -q '^gipfelfluss: Ungünstigster Fliessweg: Verteilung → ' "$work/windows.err" ||
        fail "Netz.$ending: no path in the summary: $(cat "$work/windows.err")"
done
# Sizes chosen by pressure: the same sizes, and the same summary.
list=Druck
for ending in xlsx csv; do
    same "--teilstrecken Druck.$ending --nach-druck" --teilstrecken @LIST@ --nach-druck
    cmp -s "$work/debian.err" "$work/windows.err" ||
        fail "Druck.$ending: the summary differs: $(diff "$work/debian.err" "$work/windows.err" | head -n 10)"
    grep -q '^gipfelfluss: Vergrössert: 4 Teilstrecken$' "$work/windows.err" ||
        fail "Druck.$ending: not sized by pressure: $(cat "$work/windows.err")"
done
same "--entnahmestellen" --entnahmestellen
same "--berechnen 250 5 --rohrserie Kupfer" --berechnen 250 5 --rohrserie Kupfer --laenge 12 --zeta 4,5
same "--rohrserien" --rohrserien
list=Küche ending=csv
same "--berechnen 250 5" --berechnen 250 5
[ "$(cat "$work/windows.out")" = "$(printf '1,63 l/s\t97,7 l/min')" ] || fail "--berechnen 250 5 printed $(cat "$work/windows.out")"
same "--berechnen 500 -1" --berechnen 500 -1
same "--version" --version
same "--help" --help
same "--berechnen abc 2" --berechnen abc 2
cmp -s "$work/debian.err" "$work/windows.err" || fail "the refusal differs: $(cat "$work/windows.err")"

# The user's own regional settings: a decimal point chosen in Windows'
# settings where the language (German) says comma is what the program writes.
# reg runs in the program's locale: Wine resets the key to a locale's defaults
# whenever a process starts in another one.
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 wine reg add 'HKCU\Control Panel\International' /v sDecimal /d . /f >/dev/null 2>&1
run windows wine "$windows" --berechnen 250 5
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 wine reg add 'HKCU\Control Panel\International' /v sDecimal /d , /f >/dev/null 2>&1
[ "$(cat "$work/windows.out")" = "$(printf '1.63 l/s\t97.7 l/min')" ] ||
    fail "with sDecimal \".\" --berechnen 250 5 printed $(cat "$work/windows.out")"

# A result workbook beside the list, under its name beyond ASCII.
run windows wine "$windows" --teilstrecken "$(windows_path "$folder/Küche.csv")" --ausgabe "$(windows_path "$folder/Küche Gipfelfluss.xlsx")"
[ "$(cat "$work/windows.status")" = 1 ] || fail "--ausgabe: exit status $(cat "$work/windows.status"): $(cat "$work/windows.err")"
run debian "$debian" --teilstrecken "$folder/Küche Gipfelfluss.xlsx"
grep -q '^TS 1 Küche	' "$work/debian.out" || fail "the Windows program's result workbook does not read back: $(cat "$work/debian.err")"
echo PASS
