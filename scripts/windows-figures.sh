#!/usr/bin/env bash
# Figures of the Windows program under Wine against the Linux program, on the same display in
# the same run (figures, not a test: nothing here fails on a time): the time from the start to
# the painted window, and the time "IMPORTUJ OSOBY" takes for a generated order of 10,000
# persons. A step counts as done once the screen has changed and two pictures of it in a row
# are the same (for the paste, the part of the window left of the buttons, so that a pressed
# button does not count while the program is busy; for the import, the grid's part of it, below
# the order box, whose marks change first), so the times are coarse (a picture takes about a tenth of a second) but alike
# for both programs.
#
# Usage: scripts/windows-figures.sh <nolt_f_r.exe> <native build folder> <output folder> <Wine prefix>
# The native build folder holds app/nolt_f_r and bench/nolt_order_text.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: windows-figures <nolt_f_r.exe> <native build> <output folder> <Wine prefix>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x-display.sh"
exe=$(realpath "$1")
native=$(cd "$2" && pwd)
mkdir -p "$3"
figures=$(cd "$3" && pwd)
wine_prefix=$4

order="$figures/order-10000.txt"
"$native/bench/nolt_order_text" 10000 | iconv -f CP1250 -t UTF-8 >"$order"

now() { date +%s.%N; }
# changed_and_settled <picture before>: waits until the screen (or shot_region) differs from the
# picture and two pictures in a row are the same; at most 120 s.
changed_and_settled() { settled 120 "$1" || fail "the screen did not change and settle within 120 s"; }
seconds_since() { awk -v from="$1" -v to="$(now)" 'BEGIN { print to - from }'; }

# measure <name> <program> [runner...]: one round of the two figures; sets start_time and
# import_time.
measure() {
  local name=$1 program=$2
  shift 2
  program_runner=("$@")
  round_platform=xcb
  [ $# -eq 0 ] || round_platform=windows
  window_wait=60
  mkdir -p "$figures/$name"
  out="$figures/$name"
  # Before the first round there is no display yet: an empty picture differs from any screen.
  shoot "$out/.empty" || : >"$out/.empty"
  local started
  shot_region=""
  started=$(now)
  start_round "figures-$name" "$program" "$order" "$figures/$name"
  changed_and_settled "$out/.empty"
  start_time=$(seconds_since "$started")
  locate_controls
  click_at $((column_left - 100)) $((column_top + 50)) # activates the window under Wine
  shot_region="$((column_left - X))x$HEIGHT+$X+$Y"
  shoot "$out/.before"
  click_action_button kPasteButtonTop
  changed_and_settled "$out/.before"
  shot_region="$((column_left - X))x$((HEIGHT * 2 / 5))+$X+$((Y + HEIGHT * 3 / 5))"
  shoot "$out/.before"
  started=$(now)
  click_action_button kImportButtonTop
  changed_and_settled "$out/.before"
  import_time=$(seconds_since "$started")
  click_close_button
  wait_for 30 program_ended || fail "the $name program did not end"
  rm -f "$out"/.empty "$out"/.before "$out"/.settled
}

measure linux "$native/app/nolt_f_r"
linux_start=$start_time linux_import=$import_time
use_wine_prefix "$wine_prefix" # now that the display is there
measure windows "$exe" "${wine_run[@]}"
windows_start=$start_time windows_import=$import_time

figure() { # <what> <Wine seconds> <Linux seconds>
  awk -v what="$1" -v wine="$2" -v linux="$3" \
    'BEGIN { printf "windows-figures: %s: Wine %.1f s, Linux %.1f s (%.1fx)\n", what, wine, linux, wine / linux }'
}
figure "start to painted window" "$windows_start" "$linux_start"
figure "import of 10,000 persons" "$windows_import" "$linux_import"
