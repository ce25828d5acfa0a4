#!/usr/bin/env bash
# The Windows programs and their setup program, cross-built on Debian 12:
#   bash tools/windows/build.sh [--test]
# 1. installs the Debian packages it needs (as root or through sudo);
# 2. takes the dependencies (Qt, zlib, libxlsxwriter, GoogleTest built for
#    Windows) from ../shared/windows/ beside the checkout when that holds a
#    ready-built prefix, else from the cache, built by deps.sh when missing or
#    of other versions ($YOHEKI_WIN_CACHE, default ~/.cache/yoheki-win);
# 3. cross-builds yoheki.exe, yoheki-batch.exe and the tests in build-win/;
# 4. lays the installation out in build-win/stage/ with the libraries,
#    plugins and translations of the list below, checked against what the
#    programs import;
# 5. makes yoheki-<version>-win64-setup.exe in the repository root with NSIS.
# With --test it then runs tools/windows/wine-test.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/tools/windows
build=${YOHEKI_WIN_BUILD:-$root/build-win}
stage=$build/stage
jobs=${YOHEKI_JOBS:-2}
start=$(date +%s)

packages=(cmake ninja-build g++ dpkg-dev qt6-base-dev qt6-translations-l10n g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-x86-64 nsis librsvg2-bin imagemagick wine wine64 xvfb xdotool
          fonts-ipafont)
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

# The dependency prefix: a ready-built one beside the checkout, else the cache.
if [ -x "$root/../shared/windows/bin/qt-cmake" ]; then
  prefix=$(cd "$root/../shared/windows" && pwd)
  echo "windows: dependencies from $prefix"
else
  bash "$here/deps.sh"
  prefix=${YOHEKI_WIN_CACHE:-$HOME/.cache/yoheki-win}/prefix
fi
export YOHEKI_WIN_PREFIX=$prefix

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
"$prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DYOHEKI_BENCH=OFF -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
  -DCMAKE_INSTALL_PREFIX=/ "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$jobs"

# ---------------------------------------------------------------- the installation folder
# What the programs load besides themselves. Every DLL here must be imported
# by a program, a plugin or another DLL here, and every DLL they import must
# be here or part of Windows: checked below with objdump.
runtime=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
mingw=/usr/x86_64-w64-mingw32/lib
deploy_dlls=(
  "$prefix/bin/Qt6Core.dll" "$prefix/bin/Qt6Gui.dll" "$prefix/bin/Qt6Widgets.dll"
  "$prefix/bin/Qt6PrintSupport.dll" "$prefix/bin/libxlsxwriter.dll" "$prefix/bin/libzlib.dll"
  "$runtime/libstdc++-6.dll" "$runtime/libgcc_s_seh-1.dll" "$mingw/libwinpthread-1.dll")
deploy_plugins=(platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll)
# Windows' own libraries (and the API sets) the programs may import.
system_dlls='^(kernel32|user32|gdi32|gdiplus|shell32|advapi32|ole32|oleaut32|msvcrt|ws2_32|version|winmm|uxtheme|dwmapi|imm32|comdlg32|winspool\.drv|shlwapi|netapi32|userenv|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|dcomp|bcrypt|mpr|authz|comctl32|secur32|crypt32|wtsapi32|setupapi|ntdll|rpcrt4|shcore|api-ms-win-.*)\.dll$|^winspool\.drv$'

rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" >/dev/null
bin=$stage/bin
cp "${deploy_dlls[@]}" "$bin/"
for p in "${deploy_plugins[@]}"; do
  mkdir -p "$stage/plugins/$(dirname "$p")"
  cp "$prefix/plugins/$p" "$stage/plugins/$p"
done
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$stage/translations/"
# Qt finds its plugins and translations through this file beside the programs.
printf '[Paths]\r\nPrefix=..\r\nPlugins=plugins\r\nTranslations=translations\r\n' > "$bin/qt.conf"
x86_64-w64-mingw32-strip "$bin"/*.exe

imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'; }
check_imports() {
  local shipped needed unused=() missing=() f d
  shipped=$(cd "$bin" && ls *.dll | tr 'A-Z' 'a-z' | sort)
  needed=$(for f in "$bin"/*.exe "$bin"/*.dll "$stage"/plugins/*/*.dll; do imports "$f"; done | sort -u)
  for d in $needed; do
    grep -qxF "$d" <<<"$shipped" || grep -Eq "$system_dlls" <<<"$d" || missing+=("$d")
  done
  for d in $shipped; do grep -qxF "$d" <<<"$needed" || unused+=("$d"); done
  if [ ${#missing[@]} -gt 0 ] || [ ${#unused[@]} -gt 0 ]; then
    echo "windows: the DLL list does not match the imports: missing ${missing[*]:-none}, unused ${unused[*]:-none}" >&2
    exit 1
  fi
}
check_imports

# ---------------------------------------------------------------- the setup program
version=$(sed -n 's/^project(yoheki VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
setup=$root/yoheki-$version-win64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DICON="$build/app/yoheki.ico" \
  -DOUTFILE="$setup" "$here/yoheki.nsi"
echo "windows: $(basename "$setup") $(du -h "$setup" | cut -f1) in $(( $(date +%s) - start )) s"

if [ "${1:-}" = --test ]; then
  bash "$here/wine-test.sh"
fi
