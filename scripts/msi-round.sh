#!/usr/bin/env bash
# The installer under Wine, as a clerk without administrator rights meets it: installed with
# "msiexec /i ... /qn", the program found in the user's programs folder with its Start-menu
# shortcut, started from there until its window shows and closed with its close button, then
# removed with "msiexec /x ... /qn": nothing of it may stay in the user's folders or registry.
#
# Usage: scripts/msi-round.sh <NOLT-Fr-...-x64.msi> <output folder> <Wine prefix>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: msi-round <msi> <output folder> <Wine prefix>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x-display.sh"
round=msi-round
msi=$(realpath "$1")
msi_windows="Z:$(echo "$msi" | tr / '\\')" # the name as Wine's programs see it
mkdir -p "$2"
out=$(cd "$2" && pwd)
log="$out/$round.log"
: >"$log"
use_virtual_display
use_wine_prefix "$3"
wine=("${wine_run[@]}")

# What the user's part of the prefix holds: its files and its registry.
users="$prefix/drive_c/users"
user_state() {
  find "$users" | LC_ALL=C sort
  grep -i 'nolt' "$prefix/user.reg" 2>/dev/null || true
}
user_state >"$out/before.txt"

timeout 120 "${wine[@]}" msiexec /i "$msi_windows" /qn >>"$log" 2>&1 ||
  fail "msiexec /i ended with status $?"
installed=$(find "$users" -path '*/AppData/Local/Programs/NOLT-Fr/nolt_f_r.exe' | head -n 1)
[ -n "$installed" ] || fail "the program is not in the user's programs folder"
find "$users" -path '*/Start Menu/Programs/NOLT-Fr.lnk' | grep -q . ||
  fail "the Start-menu shortcut NOLT-Fr is missing"
echo "$round: installed $installed" >>"$log"

# Started where the shortcut starts it: from the installed file.
(exec env QT_QPA_PLATFORM=windows "${wine[@]}" "$installed") >>"$log" 2>&1 &
app=$!
helpers+=($app)
wait_for 60 xdotool search --onlyvisible --name '^NOLT-Fr$' || fail "the installed program's window did not appear"
window=$(step xdotool search --onlyvisible --name '^NOLT-Fr$' | head -n 1)
# Wine takes the first click on a window that is not active to activate it.
geometry_of "$window"
click_at $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
for _ in 1 2; do
  click_close_button
  wait_for 10 program_ended && break
done
program_ended 2>/dev/null || fail "the close button did not end the installed program"
wait "$app" || fail "the installed program ended with status $?"

timeout 120 "${wine[@]}" msiexec /x "$msi_windows" /qn >>"$log" 2>&1 ||
  fail "msiexec /x ended with status $?"
user_state >"$out/after.txt"
diff "$out/before.txt" "$out/after.txt" >>"$log" || fail "the removal left something behind (see the log)"
echo "$round: installed, started, closed and removed without a trace"
