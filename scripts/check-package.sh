#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it with Debian's
# own tools: lintian without errors or warnings; apt installs it; the
# installed program answers --help and --version, speaks German in Qt's
# dialogs under de_DE and names its controls over AT-SPI; desktop entry, AppStream
# metainfo and man page are valid; purging leaves none of its files behind.
# Runs as root and installs, then purges, the package gipfelfluss.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "FAIL: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive

./scripts/package.sh
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls dist/gipfelfluss_"$version"_*.deb)

echo "== lintian"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian found faults in $deb"

echo "== install"
apt-get install -y --no-install-recommends "./$deb" </dev/null
# A failed check leaves the system as it was.
trap 'if dpkg-query -W gipfelfluss >/dev/null 2>&1; then apt-get purge -y -q gipfelfluss </dev/null >/dev/null; fi' EXIT
installed=$(dpkg-query -L gipfelfluss | while read -r f; do [ -d "$f" ] || echo "$f"; done)
bash tests/widget/command_line_test.sh /usr/bin/gipfelfluss
# The installed program under de_DE: German Qt dialogs, names over AT-SPI.
bash tests/widget/atspi_test.sh /usr/bin/gipfelfluss
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' src/app/window/gipfelfluss.metainfo.xml)
desktop-file-validate "/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "/usr/share/metainfo/$id.metainfo.xml" || fail "AppStream metainfo"
grep -q "<release version=\"$version\"" "/usr/share/metainfo/$id.metainfo.xml" || fail "the metainfo names no release $version"
for size in 16 32 48 256; do
    [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/gipfelfluss.png" ] || fail "no ${size}x${size} icon"
done
page=$(man -w gipfelfluss) || fail "man finds no page gipfelfluss"
[ "$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)" = "" ] || fail "man warns about $page"
MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^OPTIONEN" || fail "the man page has no OPTIONEN"

echo "== purge"
apt-get purge -y gipfelfluss </dev/null
left=$(while read -r f; do [ ! -e "$f" ] || echo "$f"; done <<<"$installed")
[ -z "$left" ] || fail "purging left behind: $left"
echo "PASS: the package builds, is lintian clean, installs, works and purges cleanly"
