#!/usr/bin/env bash
# Builds the Windows dependencies from Debian's own source packages into the cache:
#   $YOHEKI_WIN_CACHE/src/      the unpacked source packages (apt-get source)
#   $YOHEKI_WIN_CACHE/build/    their build trees
#   $YOHEKI_WIN_CACHE/prefix/   the install prefix: Qt (bin/qt-cmake, bin/*.dll, plugins/, translations/),
#                               zlib, libxlsxwriter and GoogleTest, with lib/cmake and lib/pkgconfig
#   $YOHEKI_WIN_CACHE/prefix/VERSIONS   one line per package: name and Debian version
# A prefix whose VERSIONS matches the installed host packages is reused as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${YOHEKI_WIN_CACHE:-$HOME/.cache/yoheki-win}
prefix=$cache/prefix
export YOHEKI_WIN_PREFIX=$prefix # searched by the toolchain file, for zlib under libxlsxwriter
toolchain=$here/mingw-w64.cmake
jobs=${YOHEKI_JOBS:-2}
mkdir -p "$cache/src" "$cache/build" "$prefix"

host_version() { dpkg-query -W -f='${Version}' "$1"; }
wanted_versions() {
  printf 'qt6-base %s\nzlib %s\nlibxlsxwriter %s\ngoogletest %s\n' \
    "$(host_version qt6-base-dev)" "$(host_version zlib1g-dev)" \
    "$(host_version libxlsxwriter-dev)" "$(host_version googletest)"
}

if [ -f "$prefix/VERSIONS" ] && [ "$(cat "$prefix/VERSIONS")" = "$(wanted_versions)" ]; then
  echo "deps: $prefix is current"
  exit 0
fi

# Sources come from Debian through a deb-src entry beside the machine's own entry.
ensure_deb_src() {
  grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && return 0
  grep -qs '^deb-src' /etc/apt/sources.list 2>/dev/null && return 0
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    > /etc/apt/sources.list.d/yoheki-deb-src.sources
  apt-get update -qq
}

# apt-get source into src/, once per package and version (the source version, not a binNMU's).
source_dir() {
  local pkg=$1 version upstream dir
  version=$(dpkg-query -W -f='${source:Version}' "$2")
  upstream=$(dpkg-query -W -f='${source:Upstream-Version}' "$2")
  dir=$cache/src/$pkg-$upstream
  if [ ! -d "$dir" ]; then
    ensure_deb_src
    # A security update's source may be gone from the mirror (zlib's is); another source of the
    # same upstream version that apt knows (the release's) is then taken.
    (cd "$cache/src" && {
      apt-get source -qq "$pkg=$version" >/dev/null 2>&1 || {
        local v
        for v in $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -u); do
          [ "$(echo "$v" | sed 's/^[0-9]*://; s/-[^-]*$//')" = "$upstream" ] || continue
          apt-get source -qq "$pkg=$v" >/dev/null 2>&1 && break
        done
      }
      [ -d "$dir" ]
    })
  fi
  echo "$dir"
}

# Paths inside the prefix's binaries must not name this machine's build folders.
flags="-ffile-prefix-map=$cache=. -O2"

cmake_cross() {
  local src=$1 build=$2; shift 2
  cmake -G Ninja -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" "$@" >/dev/null
  cmake --build "$build" -j"$jobs"
  cmake --install "$build" >/dev/null
}

build_zlib() {
  local src; src=$(source_dir zlib zlib1g-dev)
  # Debian's repack leaves out win32/, whose zlib1.rc the MinGW build compiles into the DLL:
  # a version resource of its own stands in.
  if [ ! -f "$src/win32/zlib1.rc" ]; then
    mkdir -p "$src/win32"
    printf '1 VERSIONINFO\nFILEVERSION 1,2,13,0\nBEGIN\nEND\n' > "$src/win32/zlib1.rc"
  fi
  cmake_cross "$src" "$cache/build/zlib"
}

build_xlsxwriter() {
  local src; src=$(source_dir libxlsxwriter libxlsxwriter-dev)
  cmake_cross "$src" "$cache/build/libxlsxwriter" -DBUILD_SHARED_LIBS=ON -DUSE_SYSTEM_MINIZIP=OFF \
    -DZLIB_ROOT="$prefix"
}

build_googletest() {
  local src; src=$(source_dir googletest googletest)
  cmake_cross "$src" "$cache/build/googletest" -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
}

# Only what the program uses: Core, Gui, Widgets, PrintSupport, the windows and offscreen platforms
# and the Windows styles. Debian's source lacks src/3rdparty/wintab (tablet events off), and with
# OpenGL off the windows platform still reaches for dynamic GL unless that is off too.
build_qt() {
  local src; src=$(source_dir qt6-base qt6-base-dev)
  cmake_cross "$src" "$cache/build/qtbase" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DINPUT_opengl=no -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_vulkan=OFF -DFEATURE_sql_sqlite=OFF \
    -DQT_FEATURE_directwrite3=ON
}

build_qt
build_zlib
build_xlsxwriter
build_googletest
wanted_versions > "$prefix/VERSIONS"
echo "deps: built into $prefix"
