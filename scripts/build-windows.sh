#!/usr/bin/env bash
# Builds the program for 64-bit Windows on Debian 12 and packs it:
#   scripts/build-windows.sh [OUT_DIR]      (default build/windows-dist)
# writes nolt_f_r.exe (the whole program in one file, no DLL beside it),
# NOLT-Fr-<version>-x64.msi (installer per user, or per machine with ALLUSERS=1),
# NOLT-Fr-<version>-x64.zip (the .exe, a Polish README for the clerk, the licences) and SHA256SUMS
# into OUT_DIR. With NOLT_SIGN_PKCS12 and NOLT_SIGN_PASSWORD_FILE (and NOLT_SIGN_TIMESTAMP_URL)
# the .exe and the installer are signed: see scripts/package-windows.sh.
# Installs the missing Debian packages first, then takes the static Qt for Windows from its cache
# (NOLT_QT_WINDOWS_CACHE, default ~/.cache/nolt-qt-windows), from the archive NOLT_QT_WINDOWS_ARCHIVE
# names, or builds it from Debian's sources (about an hour): see scripts/windows-qt.sh; and the
# static libzip from its cache (NOLT_LIBZIP_WINDOWS_CACHE), or builds it from Debian's sources
# (about a minute): see scripts/windows-libzip.sh.
# The person file key is set as for any build: NOLT_OS_KEY=0x2A scripts/build-windows.sh; the
# publisher and the help link with NOLT_PUBLISHER and NOLT_URL (ASCII).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=${1:-$root/build/windows-dist}
build="$root/build/windows-release"

"$root/scripts/install-deps.sh" --with-windows
for tool in x86_64-w64-mingw32-g++-posix wixl msibuild osslsigncode icotool rsvg-convert; do
  command -v "$tool" >/dev/null || { echo "build-windows: $tool is missing (scripts/packages-windows.txt)" >&2; exit 1; }
done
qt=$("$root/scripts/windows-qt.sh" | tail -n 1)
libzip=$("$root/scripts/windows-libzip.sh" | tail -n 1)

key_option=()
[ -z "${NOLT_OS_KEY:-}" ] || key_option=(-DNOLT_OS_KEY="$NOLT_OS_KEY")
[ -z "${NOLT_PUBLISHER:-}" ] || key_option+=(-DNOLT_PUBLISHER="$NOLT_PUBLISHER")
[ -z "${NOLT_URL:-}" ] || key_option+=(-DNOLT_URL="$NOLT_URL")
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DNOLT_LIBZIP_PREFIX="$libzip" -DNOLT_BUILD_TESTS=OFF -DNOLT_BUILD_BENCH=OFF ${key_option[@]+"${key_option[@]}"}
cmake --build "$build" -j "$(nproc)" --target nolt_f_r
"$root/scripts/package-windows.sh" "$build" "$dist"
echo "build-windows: $dist"
