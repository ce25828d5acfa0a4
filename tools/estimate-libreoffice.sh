#!/usr/bin/env bash
# The sample project's priced estimate opened by LibreOffice headless: the
# workbook of yoheki-batch estimate is recalculated on load and converted to
# CSV (its first sheet, 内訳書); every subtotal and total LibreOffice works out
# must be the program's own. Heavy (starts LibreOffice), so it is a script and
# not a unit test.
# Usage: tools/estimate-libreoffice.sh [build-dir] [price-book.csv]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
top=$(pwd)
book=$(realpath "${2:-tests/data/estimate/small_book.csv}")
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
"$batch" estimate 見本工事.Fa1 --prices "$book" --xlsx estimate.xlsx --csv own.csv --utf8 2>/dev/null
# A profile of its own, set to recalculate every formula on load: the figures
# compared are LibreOffice's, not the values cached in the file.
mkdir -p profile/user
cat > profile/user/registrymodifications.xcu <<'XCU'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
XCU
start=$(date +%s.%N)
soffice "-env:UserInstallation=file://$work/profile" --headless \
  --convert-to "csv:Text - txt - csv (StarCalc):44,34,76" estimate.xlsx > csv.log 2>&1
end=$(date +%s.%N)
cat csv.log
[ -s estimate.csv ] || { echo "FAIL: no conversion" >&2; exit 1; }
echo "LibreOffice conversion: $(awk "BEGIN {printf \"%.1f\", $end - $start}") s"
/usr/bin/python3 - estimate.csv own.csv <<'PY'
import csv, sys
office = list(csv.reader(open(sys.argv[1], encoding="utf-8")))
own = list(csv.reader(open(sys.argv[2], encoding="utf-8-sig")))
def amounts(rows, name_col, amount_col):
    out = {}
    for r in rows:
        if len(r) > amount_col and r[amount_col].strip():
            label = (r[0] or r[name_col]).strip()
            if label.endswith("小計") or label in ("直接工事費", "工事価格", "工事費計"):
                out[label] = int(r[amount_col].replace(",", ""))
    return out
lo = amounts(office, 0, 5)        # 名称 … 金額 in A … F
mine = amounts(own, 1, 6)         # 工種, 名称 … 金額 in A … G
for label in sorted(mine):
    print(f"{label}: LibreOffice {lo.get(label)}, program {mine[label]}")
if lo != mine or not mine:
    print("FAIL: LibreOffice's recalculated figures differ", file=sys.stderr)
    sys.exit(1)
print("every subtotal and total agrees with the program's CSV")
PY
