#!/usr/bin/env bash
# Packs a Windows build of the program: package-windows.sh <build folder> <output folder>
# Writes nolt_f_r.exe, NOLT-Fr-<version>-x64.msi (installer per user, or per machine with
# ALLUSERS=1; wixl), NOLT-Fr-<version>-x64.zip (the .exe, a short Polish README for the clerk, the
# licences) and SHA256SUMS into the output folder, and prints their sizes.
# Signing (Authenticode, SHA-256, osslsigncode): with NOLT_SIGN_PKCS12 (a .p12/.pfx file) and
# NOLT_SIGN_PASSWORD_FILE (a file holding its password), and a time-stamping service at
# NOLT_SIGN_TIMESTAMP_URL if given, the .exe is signed before it goes into the installer and the
# zip, then the installer; without them the files are unsigned and it says so.
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
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
publisher=$(cache_value NOLT_PUBLISHER)
url=$(cache_value NOLT_URL)
# wixl fails on any text that is not ASCII.
if LC_ALL=C grep -q '[^ -~]' <<<"$publisher$url"; then
  echo "package-windows: NOLT_PUBLISHER and NOLT_URL must be ASCII for the installer" >&2
  exit 1
fi

signing=
if [ -n "${NOLT_SIGN_PKCS12:-}" ] || [ -n "${NOLT_SIGN_PASSWORD_FILE:-}" ]; then
  [ -f "${NOLT_SIGN_PKCS12:-}" ] && [ -f "${NOLT_SIGN_PASSWORD_FILE:-}" ] || {
    echo "package-windows: signing needs both NOLT_SIGN_PKCS12 and NOLT_SIGN_PASSWORD_FILE as files" >&2
    exit 1
  }
  signing=yes
else
  echo "package-windows: no certificate given (NOLT_SIGN_PKCS12): the .exe and the installer are not signed"
fi
# sign <file>: an Authenticode signature in place, SHA-256, naming the program and its link.
sign() {
  [ -n "$signing" ] || return 0
  local options=(-pkcs12 "$NOLT_SIGN_PKCS12" -readpass "$NOLT_SIGN_PASSWORD_FILE" -h sha256 -n NOLT-Fr)
  [ -z "$url" ] || options+=(-i "$url")
  [ -z "${NOLT_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$NOLT_SIGN_TIMESTAMP_URL")
  rm -f "$1.signed"
  osslsigncode sign "${options[@]}" -in "$1" -out "$1.signed" >/dev/null ||
    { rm -f "$1.signed"; echo "package-windows: signing $(basename "$1") failed" >&2; exit 1; }
  mv "$1.signed" "$1"
  echo "package-windows: signed $(basename "$1")"
}

cp "$exe" "$out/nolt_f_r.exe"
sign "$out/nolt_f_r.exe"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# wixl takes the files it packs by names relative to where it runs.
mkdir "$stage/msi"
cp "$out/nolt_f_r.exe" "$build/app/nolt_f_r.ico" "$stage/msi/"
rm -f "$out/$name.msi"
(cd "$stage/msi" && wixl -a x64 -D "Version=$version" -D "Publisher=$publisher" -D "Url=$url" \
  -D ExeFile=nolt_f_r.exe -D IconFile=nolt_f_r.ico -o "$out/$name.msi" "$packaging/nolt_f_r.wxs")
[ -s "$out/$name.msi" ] || { echo "package-windows: wixl wrote no $name.msi" >&2; exit 1; }
# What wixl cannot write: the condition that keeps the per-user folder's component out of a
# per-machine install, and the upgrade row's own version included (a rebuild of the same version
# replaces the installed one).
upgrade_code=$(msiinfo export "$out/$name.msi" Property | tr -d '\r' |
  awk -F '\t' '$1 == "UpgradeCode" { print toupper($2) }')
msibuild "$out/$name.msi" \
  -q "UPDATE \`Component\` SET \`Condition\` = 'NOT ALLUSERS' WHERE \`Component\` = 'UserProgramsFolder'" \
  -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'NOLT_REPLACED'" \
  -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$upgrade_code', '0.0.0', '$version', 768, 'NOLT_REPLACED')"
msiinfo export "$out/$name.msi" Upgrade | grep -c "	$version		768		NOLT_REPLACED" >/dev/null ||
  { echo "package-windows: the installer's upgrade row could not be set" >&2; exit 1; }
# The summary names Polish as the package's language, as the product does (wixl writes 1033).
msibuild "$out/$name.msi" -s "NOLT-Fr $version" "$publisher" "x64;1045" \
  "{$(tr a-f A-F </proc/sys/kernel/random/uuid)}"
sign "$out/$name.msi"

# The texts as Notepad reads them best: UTF-8 with a byte order mark, lines ending in CR LF.
sed_text() { printf '%s' "$1" | sed 's/[&|\\]/\\&/g'; }
contact=
[ -z "$url" ] || contact=" Ask at: $url"
windows_text() { # <source> <target>
  { printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$version/g" -e "s|@PUBLISHER@|$(sed_text "$publisher")|g" \
        -e "s|@CONTACT@|$(sed_text "$contact")|g" \
        -e 's/$/\r/' "$1"; } >"$2"
}
mkdir "$stage/$name"
cp "$out/nolt_f_r.exe" "$stage/$name/nolt_f_r.exe"
windows_text "$packaging/CZYTAJ.txt" "$stage/$name/CZYTAJ.txt"
windows_text "$packaging/LICENCJE.txt" "$stage/$name/LICENCJE.txt"
windows_text /usr/share/common-licenses/LGPL-3 "$stage/$name/LGPL-3.txt"
windows_text /usr/share/common-licenses/GPL-3 "$stage/$name/GPL-3.txt"
windows_text "$root/LICENSE" "$stage/$name/EUPL-1.2.txt"
rm -f "$out/$name.zip"
(cd "$stage" && cmake -E tar cf "$out/$name.zip" --format=zip "$name")

(cd "$out" && sha256sum nolt_f_r.exe "$name.msi" "$name.zip" >SHA256SUMS)

for file in nolt_f_r.exe "$name.msi" "$name.zip"; do
  awk -v file="$file" -v bytes="$(stat -c %s "$out/$file")" \
    'BEGIN { printf "package-windows: %-24s %6.1f MB\n", file, bytes / 1048576 }'
done
