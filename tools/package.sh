#!/usr/bin/env bash
# Builds the Debian package yoheki_<version>_<arch>.deb into the repository
# root: a release build of the two programs in build-deb/, then cpack.
# Usage: tools/package.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
bash tools/setup.sh --no-build # the tools the package needs, installed when missing
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DYOHEKI_TESTS=OFF -DYOHEKI_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j2
desktop-file-validate packaging/yoheki.desktop
# The archive library converts file names through the locale's character set:
# the bundled drawings' Japanese names need a UTF-8 one, whatever the user's.
(cd "$build" && LC_ALL=C.UTF-8 cpack -G DEB)
cp "$build"/yoheki_*.deb .
ls -l yoheki_*.deb
