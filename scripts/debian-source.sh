#!/usr/bin/env bash
# Downloads a Debian source package without touching the machine's apt sources:
#   scripts/debian-source.sh WORK PACKAGE[=VERSION]
# through a private apt configuration in WORK with one deb-src entry for the Debian archive the
# machine already uses; the package's files land in WORK/source.
set -euo pipefail
work=$1 package=$2
mkdir -p "$work/sources" "$work/lists/partial" "$work/source"
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || { echo "debian-source: no Debian archive in the machine's apt sources" >&2; exit 1; }
cat >"$work/sources/debian-src.sources" <<SOURCES
Types: deb-src
URIs: $mirror
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
             -o "Dir::State::Lists=$work/lists" -o APT::Sandbox::User=root)
echo "debian-source: fetching the source package $package" >&2
apt-get "${apt_options[@]}" update -qq
(cd "$work/source" && apt-get "${apt_options[@]}" source --download-only "$package") >&2
