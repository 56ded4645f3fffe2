#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt that are missing, and with
# --with-windows also those of scripts/packages-windows.txt, which may fail without failing
# the whole: the Windows stage then says what is missing.
# Idempotent: runs apt-get update once, and only when something is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# missing_of <list file>: prints the listed packages that are not installed.
missing_of() {
  grep -v -E '^\s*(#|$)' "$1" | while read -r pkg; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || echo "$pkg"
  done
}

install() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$@" >/dev/null
}

mapfile -t missing < <(missing_of "$here/packages.txt")
optional=()
[ "${1:-}" = "--with-windows" ] && mapfile -t optional < <(missing_of "$here/packages-windows.txt")
if [ ${#missing[@]} -eq 0 ] && [ ${#optional[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  echo "install-deps: installing ${missing[*]}"
  install "${missing[@]}"
elif ! $sudo apt-get update -qq; then
  echo "install-deps: could not update the package lists; the Windows build will be skipped"
  exit 0
fi
if [ ${#optional[@]} -gt 0 ]; then
  echo "install-deps: installing ${optional[*]} for the Windows build"
  install "${optional[@]}" ||
    echo "install-deps: could not install ${optional[*]}; the Windows build will be skipped"
fi
