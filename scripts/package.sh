#!/usr/bin/env bash
# Builds the Debian package from debian/ with dpkg-buildpackage and leaves it
# in dist/ (dist/gipfelfluss_VERSION_ARCH.deb). Runs as root on a fresh
# Debian 12: installs the build dependencies first. The build runs in a
# scratch copy of the tree, so no build files land in the tree or beside it.
# DEB_BUILD_OPTIONS passes through; "nocheck" leaves the tests out.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packaged=$(dpkg-parsechangelog -S Version)
if [ "$version" != "$packaged" ]; then
    echo "debian/changelog is at version $packaged, CMakeLists.txt at $version: add a changelog entry" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source=$work/gipfelfluss-$version
mkdir "$source"
tar -c --exclude='./build*' --exclude=./dist --exclude=./.git --exclude='./obj-*' . | tar -x -C "$source"
(cd "$source" && dpkg-buildpackage -b -us -uc -Jauto)

mkdir -p dist
rm -f dist/gipfelfluss_*.deb
cp "$work"/gipfelfluss_"$version"_*.deb dist/
ls dist/gipfelfluss_"$version"_*.deb
