#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Runs as root on a fresh Debian 12; does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libzip-dev libgsf-1-dev libcsv-dev libxml2-dev
  libgmp-dev
  xvfb xauth x11-utils x11-apps imagemagick xdotool desktop-file-utils
  fonts-liberation fonts-dejavu-core
  clang libclang-rt-14-dev
  python3 python3-openpyxl
  xdg-utils
  poppler-utils
  debhelper dpkg-dev lintian appstream man-db qt6-translations-l10n
  dbus dbus-daemon at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
