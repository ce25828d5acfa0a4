#!/usr/bin/env bash
# The sample project's workbook opened by LibreOffice headless: converted to
# PDF and to CSV; the totals LibreOffice shows on "数量総括表" must be those
# of the program's own CSV. Renders the PDF's first page for the README.
# Heavy (starts LibreOffice), so it is a script and not a unit test.
# With a second picture, the first item sheet's page as LibreOffice prints it.
# Usage: tools/xlsx-libreoffice.sh [build-dir] [picture.png] [item-sheet.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
picture=${2:-}
item_picture=${3:-}
top=$(pwd)
for p in libreoffice-calc-nogui poppler-utils python3-openpyxl; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$p" >/dev/null
  fi
done
cmake --build "$build" -j2 --target yoheki-batch >/dev/null
batch="$top/$build/batch/yoheki-batch"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp data/見本工事.Fa1 data/Qrtt.dat data/*.bmp "$work/"
cd "$work"
export QT_QPA_PLATFORM=offscreen
"$batch" xlsx 見本工事.Fa1 -o sample.xlsx 2>/dev/null
"$batch" summary 見本工事.Fa1 --csv own.csv --utf8 2>/dev/null
# A profile of its own, so a LibreOffice the user has open is not disturbed,
# set to recalculate every formula on load: the totals are then
# LibreOffice's own sums, not the values cached in the file.
mkdir -p profile/user
cat > profile/user/registrymodifications.xcu <<'XCU'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
XCU
lo=(soffice "-env:UserInstallation=file://$work/profile" --headless)
start=$(date +%s.%N)
"${lo[@]}" --convert-to pdf sample.xlsx > pdf.log 2>&1
"${lo[@]}" --convert-to "csv:Text - txt - csv (StarCalc):44,34,76" sample.xlsx > csv.log 2>&1
end=$(date +%s.%N)
cat pdf.log csv.log
if grep -qi -E "error|repair|corrupt" pdf.log csv.log; then
  echo "FAIL: LibreOffice reported a problem" >&2; exit 1
fi
[ -s sample.pdf ] && [ -s sample.csv ] || { echo "FAIL: no conversion" >&2; exit 1; }
echo "LibreOffice conversions: $(awk "BEGIN {printf \"%.1f\", $end - $start}") s, $(pdfinfo sample.pdf | awk '/^Pages/ {print $2}') PDF pages"
/usr/bin/python3 - sample.csv own.csv <<'PY'
import csv, sys
office = list(csv.reader(open(sys.argv[1], encoding="utf-8")))
own = list(csv.reader(open(sys.argv[2], encoding="utf-8-sig")))
own = own[:next(i for i, r in enumerate(own) if r and r[0] == "合計") + 1]  # the finishes follow
total = next(r for r in office if r and r[0] == "合計")
want = own[-1]
bad = [(own[0][c], total[c], want[c]) for c in range(2, len(want) - 1)
       if round(float(total[c]) * 100) != round(float(want[c]) * 100)]
items = [r for r in office if r and r[0] in {o[0] for o in own[1:-1]}]
print(f"LibreOffice total row: {','.join(total[2:len(want) - 1])}")
if bad or len(items) != len(own) - 2:
    print(f"FAIL: totals differ {bad}, {len(items)} item rows", file=sys.stderr)
    sys.exit(1)
print("totals agree with the program's CSV")
PY
if [ -n "$picture" ]; then
  # The top of the landscape page, where the sample's table is.
  pdftoppm -f 1 -l 1 -r 100 -png -singlefile -x 30 -y 50 -W 1110 -H 190 sample.pdf "$work/page"
  cp "$work/page.png" "$top/$picture"
  echo "first page: $picture"
fi
if [ -n "$item_picture" ]; then
  # Pages: the summary, the finish totals, then the item sheets.
  page=$(pdftotext -layout sample.pdf - | awk -v RS='\f' '/計算式・備考/ && !p {p = NR} END {print p}')
  pdftoppm -f "$page" -l "$page" -r 70 -png -singlefile sample.pdf "$work/item"
  cp "$work/item.png" "$top/$item_picture"
  echo "item sheet (page $page): $item_picture"
fi
