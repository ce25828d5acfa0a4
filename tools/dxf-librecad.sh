#!/usr/bin/env bash
# The sample project's sections as DXF, opened by a real CAD program headless:
# LibreCAD prints the drawing to PDF, and the first page becomes a picture to
# look at. LibreCAD has no MS Gothic (the Japanese face the file names for
# Windows CAD), so the copy it prints names its own Japanese stroke font.
# Heavy (starts LibreCAD), so it is a script and not a unit test.
# Usage: tools/dxf-librecad.sh [build-dir] [picture.png] [item]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
picture=${2:-}
item=${3:-}
top=$(pwd)
for p in librecad poppler-utils; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$p" >/dev/null
  fi
done
cmake --build "$build" -j2 --target yoheki-batch >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp data/見本工事.Fa1 "$work/"
cd "$work"
export QT_QPA_PLATFORM=offscreen
args=(dxf 見本工事.Fa1 -o sample.dxf)
[ -n "$item" ] && args+=(--item "$item")
"$top/$build/batch/yoheki-batch" "${args[@]}" 2>/dev/null
sed 's/^msgothic\.ttc\r$/kochigothic\r/' sample.dxf > librecad.dxf
# LibreCAD names the PDF after the drawing.
librecad dxf2pdf -a -p 297x210 librecad.dxf > librecad.log 2>&1
mv librecad.pdf sample.pdf
pages=$(pdfinfo sample.pdf | awk '/^Pages:/ {print $2}')
echo "LibreCAD printed $(stat -c %s sample.dxf) bytes of DXF to a PDF of $pages page(s)"
[ "$pages" -ge 1 ]
if [ -n "$picture" ]; then
  pdftoppm -r 110 -png -singlefile sample.pdf page
  cp page.png "$top/$picture"
  echo "picture: $picture"
fi
