#!/usr/bin/env bash
# Makes sure the static Qt 6.4.2 for 64-bit Windows (mingw-w64) that the Windows build links is
# there, and prints its folder on the last line. The folder lies in a cache outside the checkout,
# NOLT_QT_WINDOWS_CACHE (default ~/.cache/nolt-qt-windows):
#   - NOLT_QT_WINDOWS_ARCHIVE names a packed build of it (qt-6.4.2-win64-static.tar.xz): the cache
#     holds exactly that archive's Qt (a stamp with its checksum); any other is replaced;
#   - already there without an archive: kept if it is built without the MIME database;
#   - otherwise, unless NOLT_SKIP_WINDOWS_QT=1 (then it ends with status 3), Debian's source package
#     of Qt 6.4.2 (qt6-base) is fetched through an apt configuration of this script's own (the
#     machine's apt sources are not changed) and cross-built without Qt's copy of the MIME database
#     (GPL-2.0-or-later, which the program does not need): about an hour on two cores.
# Needs the packages of scripts/packages-windows.txt (mingw-w64, qt6-base-dev-tools).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${NOLT_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nolt-qt-windows}
prefix="$cache/qt-6.4.2-win64-static"
toolchain="$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
say() { echo "windows-qt: $*" >&2; }

stamp="$prefix/nolt-qt-source.txt" # what the cached Qt was made from
mkdir -p "$cache"
# One run at a time decides about the cache, so that no run replaces it under another.
exec 9>"$cache/.lock"
flock 9

# unpack_archive: the Qt of the archive, in place of whatever the cache held. Unpacked beside it
# first, so that a broken archive leaves the cache as it was.
unpack_archive() {
  local fresh="$cache/.unpacking"
  rm -rf "$fresh"
  mkdir -p "$fresh"
  say "unpacking $NOLT_QT_WINDOWS_ARCHIVE into $cache"
  tar -xJf "$NOLT_QT_WINDOWS_ARCHIVE" -C "$fresh"
  [ -f "$fresh/qt-6.4.2-win64-static/lib/cmake/Qt6/qt.toolchain.cmake" ] ||
    { rm -rf "$fresh"; say "the archive holds no qt-6.4.2-win64-static/"; exit 1; }
  rm -rf "$prefix"
  mv "$fresh/qt-6.4.2-win64-static" "$prefix"
  rmdir "$fresh"
}

# With an archive, the cache must hold that archive's Qt: the stamp names its checksum. A cache
# without the stamp that equals the archive file for file keeps its files and gets the stamp;
# any other (an older Qt, say one with the MIME database) is replaced.
if [ -n "${NOLT_QT_WINDOWS_ARCHIVE:-}" ]; then
  [ -f "$NOLT_QT_WINDOWS_ARCHIVE" ] || { say "no archive $NOLT_QT_WINDOWS_ARCHIVE"; exit 1; }
  wanted="archive sha256 $(sha256sum "$NOLT_QT_WINDOWS_ARCHIVE" | cut -d ' ' -f 1)"
  if [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
    if [ -f "$toolchain" ] && tar -dJf "$NOLT_QT_WINDOWS_ARCHIVE" -C "$cache" >/dev/null 2>&1; then
      say "the cached Qt is the archive's"
    else
      [ ! -d "$prefix" ] || say "the cached Qt differs from $NOLT_QT_WINDOWS_ARCHIVE: replacing it"
      unpack_archive
    fi
    echo "$wanted" >"$stamp"
  fi
  echo "$prefix"
  exit 0
fi
# Without one, any cached Qt built without the MIME database will do; one with it is rebuilt.
if [ -f "$toolchain" ]; then
  if grep -q '^QT.core_private.disabled_features = .* mimetype-database' \
    "$prefix/mkspecs/modules/qt_lib_core_private.pri" 2>/dev/null; then
    echo "$prefix"
    exit 0
  fi
  say "the cached Qt carries the MIME database: it is rebuilt without"
fi
if [ "${NOLT_SKIP_WINDOWS_QT:-0}" = 1 ]; then
  say "no fitting Qt for Windows in $cache, and NOLT_SKIP_WINDOWS_QT=1 forbids building it"
  exit 3
fi
rm -rf "$prefix"

# The source package, fetched without touching the machine's apt sources.
work="$cache/work"
rm -rf "$work"
"$root/scripts/debian-source.sh" "$work" qt6-base
# The very tarball that the licence notices name as Qt's source.
(cd "$work/source" && echo "4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e  qt6-base_6.4.2+dfsg.orig.tar.xz" |
  sha256sum --quiet -c -) || { say "qt6-base_6.4.2+dfsg.orig.tar.xz is not the expected one"; exit 1; }
src="$work/qtbase"
mkdir -p "$src"
tar -xJf "$work"/source/qt6-base_6.4.2*.orig.tar.xz -C "$src" --strip-components=1

# Debian's tarball leaves out the tablet header, which is not free: the Windows platform plugin is
# built without tablet support.
windows="$src/src/plugins/platforms/windows"
sed -i 's/^#if QT_CONFIG(tabletevent)/#if 0/' \
  "$windows/qwindowscontext.cpp" "$windows/qwindowspointerhandler.cpp" \
  "$windows/qwindowspointerhandler.h"
sed -i 's/CONDITION QT_FEATURE_tabletevent/CONDITION QT_FEATURE_tabletevent AND FALSE/' \
  "$windows/CMakeLists.txt" "$src/src/plugins/platforms/direct2d/CMakeLists.txt"

# The project's toolchain goes beside the installed Qt, which names it relative to itself, so that
# the folder can be moved or packed.
mkdir -p "$prefix"
cp "$root/cmake/mingw-w64.cmake" "$prefix/mingw-w64-toolchain.cmake"
build="$work/build"
mkdir -p "$build"
say "configuring Qt (about 5 minutes)"
(cd "$build" && "$src/configure" -release -static -prefix "$prefix" \
  -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
  -qt-host-path /usr -nomake examples -nomake tests \
  -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network \
  -no-feature-concurrent -no-feature-printsupport -no-feature-mimetype-database \
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-doubleconversion \
  -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
     -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-toolchain.cmake") >"$work/configure.log" 2>&1 ||
  { tail -n 40 "$work/configure.log" >&2; exit 1; }
say "building Qt (about an hour on two cores; log: $work/build.log)"
cmake --build "$build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$build" >"$work/install.log" 2>&1 || { tail -n 40 "$work/install.log" >&2; exit 1; }
sed -i 's|^set(__qt_initially_configured_toolchain_file .*|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../../../mingw-w64-toolchain.cmake")|' \
  "$toolchain"
rm -rf "$work"
echo "built from Debian's qt6-base 6.4.2 source, patched for no tablet support" >"$stamp"
echo "$prefix"
