#!/usr/bin/env bash
# Packs a Windows build of the program: package-windows.sh <build folder> <output folder>
# Writes nolt_f_r.exe, NOLT-Fr-<version>-x64.msi (per-user installer, wixl) and
# NOLT-Fr-<version>-x64.zip (the .exe, a short Polish README for the clerk, the licence notices)
# into the output folder, and prints their sizes.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: package-windows <build folder> <output folder>" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
packaging="$root/packaging/windows"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package-windows: no project version in $build/CMakeCache.txt" >&2; exit 1; }
exe="$build/app/nolt_f_r.exe"
[ -f "$exe" ] || { echo "package-windows: $exe is not built" >&2; exit 1; }
name="NOLT-Fr-$version-x64"

cp "$exe" "$out/nolt_f_r.exe"
# wixl takes the files it packs by names relative to where it runs.
rm -f "$out/$name.msi"
(cd "$build" && wixl -a x64 -D "Version=$version" -D ExeFile=app/nolt_f_r.exe \
  -D IconFile=app/nolt_f_r.ico -o "$out/$name.msi" "$packaging/nolt_f_r.wxs")
[ -s "$out/$name.msi" ] || { echo "package-windows: wixl wrote no $name.msi" >&2; exit 1; }

# The texts as Notepad reads them best: UTF-8 with a byte order mark, lines ending in CR LF.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
qt_debian=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || echo 6.4.2+dfsg)
windows_text() { # <source> <target>
  { printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$version/g" -e "s/@QT_VERSION@/${qt_debian%%+*}/g" \
        -e "s/@QT_DEBIAN_VERSION@/$qt_debian/g" -e 's/$/\r/' "$1"; } >"$2"
}
mkdir "$stage/$name"
cp "$exe" "$stage/$name/nolt_f_r.exe"
windows_text "$packaging/CZYTAJ.txt" "$stage/$name/CZYTAJ.txt"
windows_text "$packaging/LICENCJE.txt" "$stage/$name/LICENCJE.txt"
windows_text /usr/share/common-licenses/LGPL-3 "$stage/$name/LGPL-3.txt"
windows_text /usr/share/common-licenses/GPL-3 "$stage/$name/GPL-3.txt"
rm -f "$out/$name.zip"
(cd "$stage" && cmake -E tar cf "$out/$name.zip" --format=zip "$name")

for file in nolt_f_r.exe "$name.msi" "$name.zip"; do
  awk -v file="$file" -v bytes="$(stat -c %s "$out/$file")" \
    'BEGIN { printf "package-windows: %-24s %6.1f MB\n", file, bytes / 1048576 }'
done
