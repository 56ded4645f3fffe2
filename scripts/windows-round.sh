#!/usr/bin/env bash
# One round through the Windows program under Wine, as a clerk would do it, on a virtual X
# display where there is none: the order goes to the clipboard, the mouse clicks "WKLEJ ROZKAZ",
# "IMPORTUJ OSOBY" and "ZAPISZ DO PLIKU", and the output folder's "osoby" is typed into the
# system's save dialog, which gives osoby.os. A second save types a name with Polish letters and an extension of its
# own, which is saved as typed. Then the close button ends the program.
#
# Usage: scripts/windows-round.sh <nolt_f_r.exe> <order text, UTF-8> <output folder> <Wine prefix>
# Leaves osoby.os, zapis-łódź.txt and windows-round.log in the output folder and names it on
# stdout.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: windows-round <nolt_f_r.exe> <order text> <output folder> <Wine prefix>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x-display.sh"
second_name="zapis-łódź.txt"
use_wine_prefix "$4"
program_runner=("${wine_run[@]}")
round_platform=windows
window_wait=60
start_round windows-round "$1" "$2" "$3"
# Wine maps the window before the program takes clicks: the window counts as ready once two
# pictures of the screen in a row are the same, and so does each step below.
settle() {
  settled 20 || fail "the screen did not settle within 20 s"
  rm -f "$out/.settled"
}
settle
rm -f "$out/$second_name"
locate_controls
# Wine takes the first click on a window that is not active to activate it.
click_at $((column_left - 100)) $((column_top + 50)) # into the order box
settle

click_action_button kPasteButtonTop  # WKLEJ ROZKAZ
settle
click_action_button kImportButtonTop # IMPORTUJ OSOBY
settle
# save_as <name>: saves through the dialog into the output folder, typing the full name over the
# one it offers: the dialog opens in the folder the system chooses (on the first save, Documents).
# It has the keyboard as it opens (focusing Wine's dialog window from outside fails).
save_as() {
  click_action_button kSaveButtonTop # ZAPISZ DO PLIKU
  wait_for 20 save_dialog || fail "the save dialog did not appear"
  settle
  step xdotool key --delay 50 End shift+Home
  step xdotool type --delay 60 "Z:$(echo "$out" | tr / '\\')\\$1"
  step xdotool key Return
  wait_for 10 save_dialog_gone || fail "the save dialog did not close"
  settle
}
save_as osoby
wait_for 30 test -s "$person_file" || fail "the person file $person_file was not written"
save_as "$second_name"
wait_for 30 test -s "$out/$second_name" || fail "the name typed with its own extension was not saved as typed"

click_close_button
wait_for 20 program_ended || fail "the close button did not end the program"
wait "$app" || fail "the program ended with status $?"

echo "windows-round: the person file: $person_file"
echo "$out"
