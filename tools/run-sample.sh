#!/usr/bin/env bash
# Builds the program and starts it on the bundled sample project, in a working
# folder of its own (run/) so that the bundled files stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh build
top=$(pwd)
work="$top/run"
mkdir -p "$work"
cp -n data/見本工事.Fa1 "$work/" 2>/dev/null || true
cp data/*.bmp "$work/"
if [ ! -f "$work/Qrtt.dat" ]; then
  # Record the sample as the current project and this folder as the drawing folder.
  iconv -f CP932 -t UTF-8 data/Qrtt.dat \
    | sed -e "s|^DL=.*|DL=$work/見本工事.Fa1|" -e "s|^TF=.*|TF=$work|" \
    | iconv -f UTF-8 -t CP932 > "$work/Qrtt.dat"
fi
cd "$work"
# A platform chosen for the toolkit (QT_QPA_PLATFORM) counts as a display.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: writing the quantity statements of the sample project instead."
  "$top/build/batch/yoheki-batch" text 見本工事.Fa1 --utf8
  echo
  echo "To open the window, run on a desktop session:  (cd $work && $top/build/app/yoheki)"
  exit 0
fi
exec "$top/build/app/yoheki"
