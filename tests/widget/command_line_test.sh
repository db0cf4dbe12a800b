#!/usr/bin/env bash
# The program's command line: --help, --version and --berechnen answer without
# a display and without loading Qt Widgets, Qt GUI or X11; anything else that
# is not Qt's own ends with status 2 before a window opens.
#   command_line_test.sh PROGRAM
set -euo pipefail
program=$1
top=$(dirname "$0")/../..
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/stdout: /' "$out" >&2; sed 's/^/stderr: /' "$err" >&2; exit 1; }

# run STATUS ARGS...: no display at all; the offscreen platform for what gets
# past the options. LOCALE=... before it sets the program's locale.
run() {
    local expected=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE QT_QPA_PLATFORM=offscreen LC_ALL="${LOCALE:-en_US.UTF-8}" \
        timeout 10 "$program" "$@" >"$out" 2>"$err" || status=$?
    [ "$status" -eq "$expected" ] || fail "'$*' ended with status $status, expected $expected"
}

for option in --version -v; do
    run 0 "$option"
    [ "$(cat "$out")" = "gipfelfluss $version" ] || fail "$option printed something else than 'gipfelfluss $version'"
done
for option in --help -h "-platform xcb --help"; do
    # shellcheck disable=SC2086
    run 0 $option
    grep -q '^Aufruf: gipfelfluss \[Optionen\]$' "$out" || fail "$option shows no German usage line"
    grep -q -- '-v, --version' "$out" || fail "$option does not list --version"
    grep -q -- '--berechnen BW EINZEL' "$out" || fail "$option does not describe --berechnen"
done
# arguments | what the message names
while IFS='|' read -r args named; do
    # shellcheck disable=SC2086
    run 2 $args
    [ ! -s "$out" ] || fail "'$args' wrote to standard output"
    grep -qF "»$named«" "$err" || fail "'$args': standard error does not name $named"
done <<'TABLE'
--bogus|--bogus
-platform offscreen -x|-x
--bogus=1 --help-all|--bogus
-style fusion Datei.xls|Datei.xls
--berechnen 250|--berechnen
--berechnen 250 5 6|6
--berechnen=250 5|250
-platform offscreen --berechnen 250 5|-platform
--ausgabe x.xlsx|--ausgabe
TABLE
# An option without its value says which value it lacks.
for args in "--teilstrecken|LISTE" "--teilstrecken x.csv --ausgabe|DATEI"; do
    # shellcheck disable=SC2086
    run 2 ${args%|*}
    grep -q "braucht einen Wert: ${args#*|}$" "$err" || fail "'${args%|*}' does not ask for ${args#*|}"
done

# --berechnen as the window shows Text3 and Text4 for the same Text1 and
# Text2, read and written in the locale, values that begin with a minus
# sign included. The flows are python3's decimal values of
# Q = 10^(a*log10(BW) + b)/10, rounded (250, 5: a = 0.3026, b = 0.4863,
# Q = 1.628983; 500: a = 0.582679, b = -0.214837, Q = 2.279272); l/min from
# the unrounded Q.
# locale | BW | EINZEL | standard output
while IFS='|' read -r locale total largest line; do
    LOCALE=$locale run 0 --berechnen "$total" "$largest"
    [ "$(cat "$out")" = "$(printf '%b' "$line")" ] || fail "$locale --berechnen $total $largest: expected '$line'"
    [ ! -s "$err" ] || fail "$locale --berechnen $total $largest wrote to standard error"
done <<'TABLE'
C|250|5|1.63 l/s\t97.7 l/min
de_DE.UTF-8|250|5|1,63 l/s\t97,7 l/min
C|300|2|1.69 l/s\t101.6 l/min
de_DE.UTF-8|300|2|1,69 l/s\t101,6 l/min
C|10|2|0.40 l/s\t23.8 l/min
de_DE.UTF-8|299,5|2|1,68 l/s\t101,0 l/min
C|299.5|2|1.68 l/s\t101.0 l/min
C|500|-1|2.28 l/s\t136.8 l/min
de_DE.UTF-8|500|-1,5|2,28 l/s\t136,8 l/min
TABLE
# Refused input: the reason as the calculation words it, nothing on standard output.
# locale | BW | EINZEL | standard error
while IFS='|' read -r locale total largest reason; do
    LOCALE=$locale run 1 --berechnen -- "$total" "$largest"
    [ ! -s "$out" ] || fail "$locale --berechnen $total $largest wrote to standard output"
    [ "$(cat "$err")" = "gipfelfluss: Üngültige Eingabe: $reason" ] || fail "$locale --berechnen $total $largest: expected '$reason'"
done <<'TABLE'
C|250|7|grösster Einzel BW 7: nur 2, 3, 4, 5 oder 8 unter 300 BW
de_DE.UTF-8|1,5|2|Total 1,5 BW unter dem Minimum 2
C|-5|2|Total -5 BW unter dem Minimum 2
C|abc|2|BW ist keine Zahl: »abc«
de_DE.UTF-8|250|2.5.1|Einzel BW ist keine Zahl: »2.5.1«
TABLE

# The libraries the dynamic linker loads: none of the window's for the
# command line; the window's own once Qt is asked to take its options.
loaded() { # ARGS... -> the loaded libraries' paths
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen LD_DEBUG=libs \
        timeout 10 "$program" "$@" 2>&1 >/dev/null | sed -n 's/.*calling init: //p' || true
}
window_libraries='/lib(Qt6Widgets|Qt6Gui|X11|xcb)[^/]*$'
for args in "--berechnen 250 5" "--help" "--berechnen abc 2" "--teilstrecken $top/tests/fixtures/sections-libreoffice.xlsx"; do
    # shellcheck disable=SC2086
    if loaded $args | grep -E "$window_libraries"; then fail "'$args' loads the window's libraries"; fi
done
loaded -style fusion Datei.xls | grep -qE '/libQt6Widgets[^/]*$' || fail "the window's libraries are not seen loading"
echo PASS
