#!/bin/sh
# wine-run.sh <prefix folder> <program.exe> [arguments...]
# Runs a Windows console program under Wine, in a prefix of its own that is created at its first
# use. The cross build's CMAKE_CROSSCOMPILING_EMULATOR, so that CTest runs the tests through it.
#
# CTest waits until every process that holds a test's output has ended. A Wine server started by
# a test would hold it for seconds after each test, so the server is started here, detached from
# the output, and stays for 30 s after its last program, so that one test run shares one server.
prefix=$1
shift
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64) || { echo "wine-run: wine64 not found" >&2; exit 127; }
# No .NET, no browser engine, and no menu entries on the host for shortcuts made in the prefix.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# One starter at a time, so that parallel tests never create the prefix twice.
mkdir -p "$prefix"
flock -o "$prefix.lock" sh -c \
  '"$1" -p30 </dev/null >/dev/null 2>&1 && "$2" wineboot </dev/null >/dev/null 2>&1' \
  - "$(dirname "$wine")/wineserver" "$wine"

# A test program prints before it tests. Now and then Wine fails before the program runs, with no
# output at all; such a run is tried once more, and says so. A program that fails on its own
# fails the same way twice.
output=$(mktemp) || exit 1
trap 'rm -f "$output"' EXIT
"$wine" "$@" >"$output" 2>&1
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
  echo "wine-run: Wine ended with status $status before the program printed anything; once more"
  "$wine" "$@" >"$output" 2>&1
  status=$?
fi
cat "$output"
exit "$status"
