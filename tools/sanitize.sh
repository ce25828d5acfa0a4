#!/usr/bin/env bash
# Builds the programs and the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (gcc) in build-sanitize/ and runs every test.
# Passes only when every test passes and the sanitizers report nothing.
# Slow on a small machine (a full build of its own and a slower suite): run it
# before a release or from a scheduled job, not in every CI run.
#
#   bash tools/sanitize.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh --no-build
build=${1:-build-sanitize}
logs="$build/sanitizer-logs"

flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
cmake --build "$build" -j2

rm -rf "$logs"
mkdir -p "$logs"
logs=$(cd "$logs" && pwd)
# Every report goes to a file of its own (one per process, the programs the
# tests start included); the toolkit's leak-prone libraries are not ours to
# judge, so leak checking is off.
export ASAN_OPTIONS="log_path=$logs/asan:detect_leaks=0:abort_on_error=0:halt_on_error=0"
export UBSAN_OPTIONS="log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=0"
export QT_QPA_PLATFORM=offscreen

status=0
(cd "$build" && ctest --output-on-failure -j2) || status=$?
findings=$(cat "$logs"/* 2>/dev/null | grep -cE 'runtime error:|ERROR: AddressSanitizer' || true)
echo "sanitizers: $findings finding(s)"
if [ "$findings" -gt 0 ]; then
  grep -hE -A3 'runtime error:|ERROR: AddressSanitizer' "$logs"/* | head -60
  status=1
fi
exit "$status"
