#!/usr/bin/env bash
# Tests the Windows build (tools/windows/build.sh) under Wine, headless:
#   bash tools/windows/wine-test.sh [--no-window]
# 1. the cross-built test binaries, through ctest;
# 2. yoheki-batch.exe of the installation folder against the Linux build on
#    the sample and 20 random projects: text, check and compare byte for byte,
#    projects saved by the Windows build byte for byte, xlsx and pdf made;
#    bad paths (long, network, outside CP932) answered as on Linux or with a
#    clear message;
# 3. the setup program: silent install for the user, the file type, the
#    window started on the sample by a double-click's command under Xvfb
#    (docs/windows-wine.png), the silent uninstall keeping the user's files.
# Prints one line per check and a count; exits 1 when any failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${YOHEKI_WIN_BUILD:-$root/build-win}
linux=${YOHEKI_LINUX_BUILD:-$root/build}
stage=$build/stage
export WINEPREFIX=${WINEPREFIX:-$build/wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QT_QPA_PLATFORM=offscreen
pass=0 fail=0
check() { # check NAME COMMAND...
  local name=$1; shift
  if "$@" >/dev/null 2>&1; then pass=$((pass + 1)); echo "ok    $name"
  else fail=$((fail + 1)); echo "FAIL  $name"; fi
}
winpath() { winepath -w "$1" 2>/dev/null; }

# A prefix whose first start was cut short lacks Windows' own libraries: made anew.
if [ ! -f "$WINEPREFIX/drive_c/windows/system32/msvcrt.dll" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1; wineserver -w
fi
# Wine's own services started here, not by the first test: started there,
# they would hold ctest's output open and ctest would wait for them.
wineboot >/dev/null 2>&1
cmake --build "$linux" --target yoheki-batch yoheki-random-projects -j2 >/dev/null

# ---------------------------------------------------------------- 1. the test binaries
runtime="$(winpath "$stage/bin")"
export WINEPATH="$runtime"
export QT_PLUGIN_PATH="$(winpath "$stage/plugins")"
start=$(date +%s)
# Each binary straight into its log: ctest would wait on the consoles Wine
# keeps open after the processes the tests start.
ok=1 cases=0
: > "$build/wine-tests.log"
for t in "$build"/tests/*_tests.exe; do
  if (cd "$build/tests" && wine "$t" --gtest_filter=-SmallScreen.* > "$build/wine-test-one.log" 2>&1); then
    result=passed
  else
    result=FAILED; ok=0
  fi
  n=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$build/wine-test-one.log")
  cases=$((cases + ${n:-0}))
  cat "$build/wine-test-one.log" >> "$build/wine-tests.log"
  echo "      $(basename "$t"): $result (${n:-0} cases)"
done
echo "      test binaries under Wine: $cases cases in $(( $(date +%s) - start )) s (log: $build/wine-tests.log)"
check "test binaries under Wine" test "$ok" = 1
unset QT_PLUGIN_PATH

# ---------------------------------------------------------------- 2. yoheki-batch.exe against Linux
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
site=$work/工事データ
mkdir -p "$site/linux" "$site/windows"
cp "$root/data/見本工事.Fa1" "$root/data/Qrtt.dat" "$root"/data/*.bmp "$site/"
"$linux/tests/yoheki-random-projects" "$site/linux" 20 20261208
(cd "$site/windows" && wine "$build/tests/yoheki-random-projects.exe" . 20 20261208)
check "20 random projects saved by the Windows build are the Linux build's bytes" \
  diff -r "$site/linux" "$site/windows"
cp "$site"/linux/*.Fa1 "$site/"
win_batch() { wine "$stage/bin/yoheki-batch.exe" "$@"; }
lin_batch() { "$linux/batch/yoheki-batch" "$@"; }
same_run() { # same_run ARGS...: stdout, stderr and status alike
  (cd "$site" && lin_batch "$@" > "$work/l.out" 2> "$work/l.err"; echo $? > "$work/l.rc")
  (cd "$site" && win_batch "$@" > "$work/w.out" 2> "$work/w.err"; echo $? > "$work/w.rc")
  cmp -s "$work/l.out" "$work/w.out" && cmp -s "$work/l.err" "$work/w.err" && cmp -s "$work/l.rc" "$work/w.rc"
}
identical=0
for p in 見本工事.Fa1 random-{01..20}.Fa1; do
  if same_run text "$p"; then identical=$((identical + 1)); else echo "      text $p differs"; fi
done
check "text: $identical of 21 projects byte-identical to Linux" test "$identical" = 21
first=$(iconv -f CP932 -t UTF-8 "$site/見本工事.Fa1" | sed -n 's/^\[\(.*\)\]\r*$/\1/p' | head -1)
check "text --utf8 --item $first" same_run text 見本工事.Fa1 --utf8 --item "$first"
check "check on the sample" same_run check 見本工事.Fa1
check "check on a random project" same_run check random-07.Fa1
check "compare of two random projects" same_run compare random-01.Fa1 random-02.Fa1 --all
check "summary --csv" bash -c "cd '$site' && wine '$stage/bin/yoheki-batch.exe' summary 見本工事.Fa1 --csv w.csv && '$linux/batch/yoheki-batch' summary 見本工事.Fa1 --csv l.csv && cmp w.csv l.csv"
check "xlsx writes a workbook" bash -c "cd '$site' && wine '$stage/bin/yoheki-batch.exe' xlsx 見本工事.Fa1 -o 見本工事.xlsx && head -c2 見本工事.xlsx | grep -q PK"
check "dxf byte-identical to Linux (read back by ezdxf in the Linux tests)" bash -c "cd '$site' && wine '$stage/bin/yoheki-batch.exe' dxf 見本工事.Fa1 -o w.dxf && '$linux/batch/yoheki-batch' dxf 見本工事.Fa1 -o l.dxf && cmp w.dxf l.dxf"
check "pdf writes one page per item" bash -c "cd '$site' && wine '$stage/bin/yoheki-batch.exe' pdf 見本工事.Fa1 -o w.pdf && '$linux/batch/yoheki-batch' pdf 見本工事.Fa1 -o l.pdf && [ \"\$(pdfinfo w.pdf | grep Pages)\" = \"\$(pdfinfo l.pdf | grep Pages)\" ]"

# Bad paths: a folder deeper than 260 characters, a name outside CP932, a
# network path that is not there.
deep=$site
while [ ${#deep} -lt 320 ]; do deep=$deep/現場フォルダ名の長い階層; done
mkdir -p "$deep" && cp "$site/見本工事.Fa1" "$deep/"
# (winepath cuts its answers at 260 characters: the drive letter by hand)
check "text on a path longer than 260 characters" bash -c "cd '$site' && wine '$stage/bin/yoheki-batch.exe' text 'Z:${deep//\//\\}\\見本工事.Fa1' | cmp - <('$linux/batch/yoheki-batch' text 見本工事.Fa1)"
cp "$site/見本工事.Fa1" "$site/한국현장.Fa1"
check "a project named outside CP932 as on Linux" same_run text 한국현장.Fa1
check "xlsx beside a project named outside CP932" bash -c "cd '$site' && wine '$stage/bin/yoheki-batch.exe' xlsx 한국현장.Fa1 -o 한국현장.xlsx && [ -s 한국현장.xlsx ]"
wine "$stage/bin/yoheki-batch.exe" text '\\nosuchserver\share\工事\見本工事.Fa1' > "$work/n.out" 2> "$work/n.err"
status=$?
"$linux/batch/yoheki-batch" text /nosuchserver/share/工事/見本工事.Fa1 >/dev/null 2>&1
linux_status=$?
check "a network path that is not there: the status of a missing file on Linux ($linux_status) and a message naming it" \
  bash -c "[ $status = $linux_status ] && grep -q '見本工事.Fa1' '$work/n.err' && [ ! -s '$work/n.out' ]"
sed 's/^/      /' "$work/n.err"

# ---------------------------------------------------------------- 3. the setup program
setup=$(ls "$root"/yoheki-*-win64-setup.exe | tail -1)
user=$(id -un)
programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/yoheki
appdata=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/yoheki
menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
# Consoles the tests' programs left would keep Wine up (and `wineserver -w`
# waiting): Wine is started afresh for the setup program, which wine waits for.
wineserver -k; wineboot >/dev/null 2>&1
wine "$setup" /S
check "silent install for the user" test -x "$programs/bin/yoheki.exe" -a -f "$programs/share/yoheki/Qrtt.dat"
check "Start-menu entry 擁壁数量調書" test -f "$menu/擁壁数量調書.lnk"
wine reg export 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\yoheki' "$work/u.reg" /y >/dev/null 2>&1
check "listed with the installed programs" bash -c "iconv -f UTF-16 -t UTF-8 '$work/u.reg' | grep -q '\"DisplayName\"=\"擁壁数量調書\"'"
check ".Fa1 registered" bash -c "wine reg query 'HKCU\\Software\\Classes\\.Fa1' /ve | grep -q Yoheki.Project"
check "double-click command opens the project" bash -c "wine reg query 'HKCU\\Software\\Classes\\Yoheki.Project\\shell\\open\\command' /ve | grep -q 'yoheki.exe\" \"%1\"'"
check "the installed programs run" bash -c "cd '$site' && wine '$programs/bin/yoheki-batch.exe' text 見本工事.Fa1 | cmp - <('$linux/batch/yoheki-batch' text 見本工事.Fa1)"

if [ "${1:-}" != --no-window ]; then
  # The window, started as a double-click starts it, on a Japanese desk size.
  shot=$root/docs/windows-wine.png
  (
    unset QT_QPA_PLATFORM
    export DISPLAY=:97
    Xvfb :97 -screen 0 1600x1000x24 >/dev/null 2>&1 & xvfb=$!
    sleep 2
    # Wine's own start looks in the machine's file types only: the user's
    # registered command is run as Explorer runs it, "%1" the project.
    command=$(wine reg query 'HKCU\Software\Classes\Yoheki.Project\shell\open\command' /ve |
              sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r')
    program=$(sed 's/^"\([^"]*\)".*/\1/' <<<"$command")
    (cd "$site" && wine "$program" "$(winpath "$site/見本工事.Fa1")" >/dev/null 2>&1 &)
    for _ in $(seq 60); do
      xdotool search --name '擁壁数量調書' >/dev/null 2>&1 && break
      sleep 1
    done
    sleep 8 # the drawing and the statement pane
    import -window root "$shot"
    window=$(xdotool search --name '擁壁数量調書' 2>/dev/null | head -1)
    echo "      window: $(xdotool getwindowname "$window" 2>/dev/null)"
    wineserver -k; kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
    [ -n "$window" ]
  )
  check "the installed yoheki.exe opens the sample under Xvfb ($shot)" test $? = 0
fi
mkdir -p "$appdata" && echo keep > "$appdata/keep.txt"
wineboot >/dev/null 2>&1
# The uninstaller copies itself away and returns at once: its work is awaited below.
wine "$programs/uninstall.exe" /S
for _ in $(seq 60); do [ -e "$programs/bin" ] || [ -e "$programs/uninstall.exe" ] || break; sleep 1; done
sleep 2 # the registry entries go last
check "silent uninstall removes the programs and the menu entry" test ! -e "$programs/bin" -a ! -e "$programs/uninstall.exe" -a ! -e "$menu/擁壁数量調書.lnk"
check "uninstall removes the file type and the entry" bash -c "! wine reg query 'HKCU\\Software\\Classes\\Yoheki.Project' && ! wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\yoheki'"
check "uninstall keeps the user's settings and projects" test -f "$appdata/keep.txt" -a -f "$site/見本工事.Fa1"

echo "wine: $pass passed, $fail failed"
[ "$fail" = 0 ]
