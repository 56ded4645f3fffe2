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
# "file_lines <count>" (the lines of the written person file); leaves osoby.os and memory-round.log.
set -euo pipefail

source "$(dirname "$0")/x-display.sh"
start_round memory-round "$@"
focus "$window"
# The keys queue up: each action starts when the one before has ended.
step xdotool key alt+w alt+i alt+z
wait_for 120 save_dialog || fail "the save dialog did not appear"
focus "$(save_dialog | head -n 1)"
step xdotool type --delay 15 "$out/osoby.os"
step xdotool key Return
wait_for 60 save_dialog_gone || fail "the save dialog did not close"
wait_for 60 test -s "$person_file" || fail "the person file $person_file was not written"

status_mib() { awk -v field="$1:" '$1 == field { printf "%.1f\n", $2 / 1024 }' "/proc/$app/status"; }
echo "peak_MiB $(status_mib VmHWM)"
echo "rss_MiB $(status_mib VmRSS)"
echo "file_lines $(wc -l <"$person_file")"

focus "$window"
step xdotool key alt+F4
wait_for 20 program_ended || fail "Alt+F4 did not end the program"
