#!/usr/bin/env bash
# Installs what the build needs on Debian 12, then configures and builds.
# Usage: tools/setup.sh [build-dir]    (--no-build: only install what is missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev googletest libgtest-dev libgmock-dev
          libbenchmark-dev fonts-ipafont poppler-utils pkg-config libxlsxwriter-dev python3-openpyxl python3-ezdxf
          zlib1g-dev # libxlsxwriter links -lz but its -dev package does not pull this in
          qt6-translations-l10n
          xvfb xauth # the two-window tests on a real X server
          # the Debian package: icon sizes, manual page, dependencies, entry check, test root
          librsvg2-bin help2man dpkg-dev desktop-file-utils shared-mime-info debootstrap
          # the workbook as LibreOffice prints it (tools/xlsx-libreoffice.sh)
          libreoffice-calc-nogui)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

[ "$build" = --no-build ] && exit 0

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYOHEKI_BENCH=ON >/dev/null
cmake --build "$build" -j2
