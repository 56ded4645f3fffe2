#!/usr/bin/env bash
# Makes sure the static libzip 1.7.3 for 64-bit Windows (mingw-w64) that the Windows build links
# (the order file readers open .docx and .odt archives with it) is there, and prints its folder
# on the last line. The folder lies in a cache outside the checkout, NOLT_LIBZIP_WINDOWS_CACHE
# (default ~/.cache/nolt-libzip-windows):
#   - already there: nothing to do;
#   - otherwise Debian's source package libzip is fetched through an apt configuration of this
#     script's own (the machine's apt sources are not changed), Debian's patches applied, and it
#     is cross-built: about a minute on two cores.
# Built with zlib alone (libz-mingw-w64-dev, linked statically): no bzip2, lzma, zstd nor any
# cryptography library, and neither its tools nor its tests. The program only reads archives.
# Needs the packages of scripts/packages-windows.txt (mingw-w64, libz-mingw-w64-dev).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${NOLT_LIBZIP_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nolt-libzip-windows}
prefix="$cache/libzip-1.7.3-win64-static"
config="$prefix/lib/cmake/libzip/libzip-config.cmake"
say() { echo "windows-libzip: $*" >&2; }

if [ -f "$config" ]; then
  echo "$prefix"
  exit 0
fi
[ -f /usr/x86_64-w64-mingw32/lib/libz.a ] || { say "libz-mingw-w64-dev is missing"; exit 1; }
command -v x86_64-w64-mingw32-gcc-posix >/dev/null || { say "mingw-w64 is missing"; exit 1; }

# The source package, fetched without touching the machine's apt sources.
work="$cache/work"
rm -rf "$work"
"$root/scripts/debian-source.sh" "$work" libzip=1.7.3-1
src="$work/libzip"
mkdir -p "$src"
tar -xf "$work"/source/libzip_1.7.3.orig.tar.* -C "$src" --strip-components=1
tar -xf "$work"/source/libzip_1.7.3-*.debian.tar.* -C "$work"
if [ -f "$work/debian/patches/series" ]; then
  grep -v -E '^\s*(#|$)' "$work/debian/patches/series" | while read -r patch _; do
    patch -d "$src" -p1 -s <"$work/debian/patches/$patch"
  done
fi

cat >"$work/toolchain.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
say "building libzip (about a minute; log: $work/build.log)"
{
  cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF &&
    cmake --build "$work/build" --parallel "$(nproc)" &&
    cmake --install "$work/build"
} >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
# The licence goes with the library, for the program's notices.
cp "$src/LICENSE" "$prefix/LICENSE"
rm -rf "$work"
echo "$prefix"
