#!/usr/bin/env bash
# The peak memory of the real program over one round, driven from the keyboard as a clerk would:
# the order goes to the clipboard (xclip), Alt+W pastes it, Alt+I imports, Alt+Z opens the save
# dialog, the file name is typed and Enter saves. Once the person file is written and the dialog
# gone, the program's peak resident memory (VmHWM) is read from /proc before Alt+F4 closes it.
# Without a DISPLAY it starts its own virtual X display.
#
# Usage: scripts/memory-round.sh <program> <order text, UTF-8> <output folder>
# A generated order of N persons: build/bench/bench/nolt_order_text N | iconv -f CP1250 -t UTF-8
# Prints "peak_MiB <figure>" and "rss_MiB <figure>" (the resident memory after the round), and
# "file_lines <count>" (the lines of the written person file); leaves osoby.os and memory.log.
set -euo pipefail

[ $# -eq 3 ] || { echo "usage: $0 <program> <order text> <output folder>" >&2; exit 2; }
program=$(realpath "$1")
order=$(realpath "$2")
mkdir -p "$3"
out=$(cd "$3" && pwd)
log="$out/memory.log"
: >"$log"
person_file="$out/osoby.os"
rm -f "$person_file"

helpers=()
stop_helpers() {
  for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_helpers EXIT

fail() {
  echo "memory-round: $*" >&2
  echo "memory-round: log: $log" >&2
  exit 1
}

source "$(dirname "$0")/x-display.sh"
use_virtual_display "$out" "$log" || fail "the virtual display did not start"

xclip -quiet -selection clipboard -i "$order" 2>>"$log" &
helpers+=($!)
clipboard_holds_order() { xclip -selection clipboard -o | cmp -s - "$order"; }
wait_for 20 clipboard_holds_order || fail "the clipboard did not take the order"

(cd "$out" && exec env QT_QPA_PLATFORM=xcb "$program") >>"$log" 2>&1 &
app=$!
helpers+=($app)
wait_for 30 xdotool search --onlyvisible --name '^NOLT-Fr$' || fail "the window did not appear"
window=$(xdotool search --onlyvisible --name '^NOLT-Fr$' | head -n 1)

# Without a window manager the keyboard follows the pointer: point at the window and focus it.
focus() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  xdotool windowfocus --sync "$1"
}
focus "$window"
# The keys queue up: each action starts when the one before has ended.
xdotool key alt+w alt+i alt+z
wait_for 120 xdotool search --onlyvisible --name '^Wprowad' || fail "the save dialog did not appear"
dialog=$(xdotool search --onlyvisible --name '^Wprowad' | head -n 1)
focus "$dialog"
xdotool type --delay 15 "$out/osoby.os"
xdotool key Return
dialog_gone() { ! xdotool search --onlyvisible --name '^Wprowad'; }
wait_for 60 dialog_gone || fail "the save dialog did not close"
wait_for 60 test -s "$person_file" || fail "the person file $person_file was not written"

status_mib() { awk -v field="$1:" '$1 == field { printf "%.1f\n", $2 / 1024 }' "/proc/$app/status"; }
echo "peak_MiB $(status_mib VmHWM)"
echo "rss_MiB $(status_mib VmRSS)"
echo "file_lines $(wc -l <"$person_file")"

focus "$window"
xdotool key alt+F4
program_ended() { ! kill -0 "$app"; }
wait_for 20 program_ended || fail "Alt+F4 did not end the program"
