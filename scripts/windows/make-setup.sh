#!/usr/bin/env bash
# Makes the setup program from the program's folder with NSIS (makensis).
#   make-setup.sh STAGE VERSION PUBLISHER SETUP.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
stage=$(cd "$1" && pwd) version=$2 publisher=$3 setup=$(realpath -m "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The uninstaller's list: every installed file, then its folders, deepest first.
(cd "$stage" && {
    find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
}) >"$work/files.nsh"

makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DPUBLISHER="$publisher" -DSTAGE="$stage" -DFILES="$work/files.nsh" \
    -DICON="$here/../../src/app/window/icons/gipfelfluss.ico" -DOUTFILE="$setup" \
    "$here/setup.nsi"
