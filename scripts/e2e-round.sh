#!/usr/bin/env bash
# One round through the real window, as a clerk would do it: the order goes to the clipboard
# (xclip), the mouse clicks "WKLEJ ROZKAZ", "IMPORTUJ OSOBY" and "ZAPISZ DO PLIKU", the file name
# is typed into the save dialog, and once the person file is written a screenshot of the window
# is taken. Then the clipboard's owner goes, both pastes are tried on the empty clipboard, and the
# close button is clicked. Works without a window manager; without a DISPLAY it
# starts its own virtual X display.
#
# Usage: scripts/e2e-round.sh <program> <order text, UTF-8> <output folder>
# Leaves osoby.os, okno.png and e2e-round.log in the output folder and names it on stdout.
set -euo pipefail

source "$(dirname "$0")/x-display.sh"
start_round e2e-round "$@"
rm -f "$out/okno.png"
geometry_of "$window"
echo "e2e-round: window $window at $X,$Y, $WIDTH x $HEIGHT" >>"$log"

locate_controls

click_action_button kPasteButtonTop  # WKLEJ ROZKAZ
click_action_button kImportButtonTop # IMPORTUJ OSOBY
click_action_button kSaveButtonTop   # ZAPISZ DO PLIKU
wait_for 20 save_dialog || fail "the save dialog did not appear"
focus "$(save_dialog | head -n 1)"
# Typed without an extension: the dialog adds ".os".
step xdotool type --delay 15 "$out/osoby"
step xdotool key Return
wait_for 30 test -s "$person_file" || fail "the person file $person_file was not written"
wait_for 10 save_dialog_gone || fail "the save dialog did not close"

# The window repaints what the dialog covered: shot once two pictures in a row are the same.
settled 20 || fail "the screen did not settle within 20 s"
screen=$(step xdotool getdisplaygeometry)
read -r screen_width screen_height <<<"$screen"
step convert -size "${screen_width}x${screen_height}" -depth 8 "rgb:$out/.settled" "$out/okno.png"
rm -f "$out/.settled"

# Once the program that copied has ended, the clipboard has no owner: neither the box's own paste
# (Ctrl+V) nor "WKLEJ ROZKAZ" may then end the program, which the close button below checks.
kill "$clipboard_owner"
# A request that times out is no answer: the clipboard may still have its owner.
clipboard_unowned() {
  local status=0
  bounded xclip -selection clipboard -o || status=$?
  [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ "$status" -ne 137 ]
}
wait_for 10 clipboard_unowned || fail "the clipboard kept its owner"
click_at $((column_left - 100)) $((column_top + 50)) # into the order box
step xdotool key ctrl+v
click_action_button kPasteButtonTop

click_close_button
wait_for 10 program_ended || fail "the close button did not end the program"
wait "$app" || fail "the program ended with status $?"

echo "e2e-round: the imported window: $out/okno.png"
echo "e2e-round: the person file: $person_file"
echo "$out"
