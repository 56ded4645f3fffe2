# Sourced by the scripts that drive the real window under X (the rounds, windows-stage.sh): the
# round's folder and log, waiting without a fixed sleep, a virtual X display where there is none,
# the Wine prefix, the order on the clipboard and the program started. Helpers started here are stopped when the
# caller ends.

helpers=()
stop_helpers() {
  for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_helpers EXIT

# Every wait of a round has a time limit: an X tool can wait for an answer that never comes (a
# clipboard owner killed in the middle of a request), and a round must then fail, not hang.
# bounded <command...>: a probe, whose failure is an answer; a probe that hangs fails too.
bounded() { timeout -k 2 10 "$@"; }
# step <command...>: a step of the round; one that fails or does not finish ends the round.
step() {
  timeout -k 5 60 "$@" || fail "$1 failed or did not finish within 60 s (status $?): $*"
}

# wait_for <seconds> <command...>: runs the command every tenth of a second until it succeeds,
# for at most that many seconds. The functions given to it bound their own commands.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until if declare -F "$1" >/dev/null; then "$@"; else bounded "$@"; fi >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# fail <message>: says what went wrong, with a screenshot of that moment and the log, and ends.
fail() {
  echo "$round: $*" >&2
  [ -n "${DISPLAY:-}" ] && bounded import -window root "$out/failure.png" 2>/dev/null &&
    echo "$round: the screen at that moment: $out/failure.png" >&2
  echo "$round: log: $log" >&2
  # CI keeps only what is printed: the log's end says what the tools answered.
  [ -s "${log:-}" ] && { echo "$round: the log's last lines:" >&2; tail -n 20 "$log" | sed 's/^/  /' >&2; }
  exit 1
}

# use_virtual_display: without a DISPLAY, starts Xvfb and exports its DISPLAY.
use_virtual_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  # Xvfb picks a free display number itself and writes it to the descriptor it is given.
  local display_number="$out/.display"
  : >"$display_number"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_number" 2>>"$log" &
  helpers+=($!)
  wait_for 20 test -s "$display_number" || fail "the virtual display did not start"
  export DISPLAY=":$(head -n 1 "$display_number")"
  rm -f "$display_number"
  unset WAYLAND_DISPLAY
}

# start_round <round name> <program> <order text, UTF-8> <output folder>: sets round, program,
# out, log and person_file, puts the order on the clipboard (owned by clipboard_owner), starts the
# program in the output folder (so that the save dialog opens there) and waits for its window;
# sets app and window. A caller may set program_runner (a command that runs the program, such as
# Wine), round_platform (Qt's platform, xcb by default) and window_wait (seconds, 30 by default).
start_round() {
  round=$1
  [ $# -eq 4 ] || { echo "usage: $round <program> <order text> <output folder>" >&2; exit 2; }
  program=$(realpath "$2")
  local order
  order=$(realpath "$3")
  mkdir -p "$4"
  out=$(cd "$4" && pwd)
  log="$out/$round.log"
  : >"$log"
  person_file="$out/osoby.os"
  rm -f "$person_file" "$out/failure.png"
  use_virtual_display
  echo "$round: display $DISPLAY" >>"$log"

  # The clipboard's owner lives as long as the round may, and no longer. An owner that ended
  # before the clipboard held the order (a display still busy starting) is started again.
  own_clipboard() {
    timeout -k 5 900 xclip -quiet -selection clipboard -i "$1" 2>>"$log" &
    clipboard_owner=$!
    helpers+=($clipboard_owner)
  }
  clipboard_holds() {
    bounded xclip -selection clipboard -o 2>>"$log" | cmp -s - "$1" && return
    kill -0 "$clipboard_owner" 2>/dev/null ||
      { echo "$round: the clipboard's owner ended; started again" >>"$log"; own_clipboard "$1"; }
    return 1
  }
  own_clipboard "$order"
  wait_for 20 clipboard_holds "$order" || fail "the clipboard did not take the order"

  (cd "$out" && exec env QT_QPA_PLATFORM="${round_platform:-xcb}" ${program_runner[@]+"${program_runner[@]}"} \
    "$program") >>"$log" 2>&1 &
  app=$!
  helpers+=($app)
  wait_for "${window_wait:-30}" xdotool search --onlyvisible --name '^NOLT-Fr$' || fail "the window did not appear"
  window=$(step xdotool search --onlyvisible --name '^NOLT-Fr$' | head -n 1)
}

# geometry_of <window>: sets X, Y, WIDTH and HEIGHT.
geometry_of() {
  local geometry
  geometry=$(step xdotool getwindowgeometry --shell "$1") || exit 1
  eval "$geometry"
}

# focus <window>: without a window manager the keyboard follows the pointer, so point at the
# window and focus it.
focus() {
  geometry_of "$1"
  step xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  step xdotool windowfocus --sync "$1"
}

save_dialog() { bounded xdotool search --onlyvisible --name '^Wprowad'; }

# locate_controls: the places of the window's controls follow its layout, read from its design
# values by name: the button column is docked right in the order area (inside its margin, below
# the title strip and the heading bar), and the close button stands in the title strip's right
# block. Sets column_left and column_top from the window's geometry.
design_values="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/ui/DesignValues.h"
design() { # <name>: the value of "constexpr int <name> = <value>;"
  local value
  value=$(sed -n "s/^ *constexpr int $1 = \([0-9]*\);.*/\1/p" "$design_values")
  [ -n "$value" ] || fail "no design value $1 in $design_values"
  echo "$value"
}
locate_controls() {
  geometry_of "$window"
  column_left=$((X + WIDTH - $(design kAreaMargin) - $(design kButtonColumnWidth)))
  column_top=$((Y + $(design kTitleStripHeight) + $(design kAreaMargin) + $(design kHeadingBarHeight)))
}
click_at() {
  step xdotool mousemove --sync "$1" "$2" click 1
}
click_action_button() { # <name of the button's top in the column>
  click_at $((column_left + $(design kActionButtonLeft) + $(design kActionButtonWidth) / 2)) \
    $((column_top + $(design "$1") + $(design kActionButtonHeight) / 2))
}
click_close_button() {
  geometry_of "$window"
  local middle=$(($(design kTitleButtonSize) / 2))
  click_at $((X + WIDTH - $(design kTitleRightWidth) + $(design kCloseButtonLeft) + middle)) \
    $((Y + $(design kTitleButtonTop) + middle)) # SBKoniec
}

# use_wine_prefix <prefix>: for the Windows program under Wine: sets prefix (absolute) and
# wine_run (the command that runs a program in it), makes the prefix when there is a display
# already (its first start takes longer than any window; Wine's desktop needs the display), and
# ends Wine's programs of the prefix with the caller, so that a failed round leaves no window
# behind on the display.
use_wine_prefix() {
  prefix=$(realpath -m "$1")
  wine_run=("$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/wine-run.sh" "$prefix")
  wineserver=/usr/lib/wine/wineserver
  [ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)
  trap 'stop_helpers; end_wine' EXIT
  [ -z "${DISPLAY:-}" ] || timeout -k 5 300 "${wine_run[@]}" cmd /c exit >/dev/null 2>&1 || true
}

# end_wine: ends Wine's programs of the prefix; its server would wait 30 s for another program.
end_wine() { WINEPREFIX="$prefix" "$wineserver" -k 2>/dev/null || true; }

# shoot <file>: a raw picture of the screen (8-bit RGB), or of shot_region (WxH+X+Y) when set.
shoot() { bounded import -window root ${shot_region:+-crop "$shot_region"} -depth 8 "rgb:$1" 2>/dev/null; }
# settled <seconds> [picture before]: waits until two pictures of the screen in a row are the
# same, and, given a picture from before, the screen differs from it first; at most that many
# seconds, else fails. The last picture stays in $out/.settled.
settled() {
  local deadline=$((SECONDS + $1)) now="$out/.settled-now" last="$out/.settled"
  rm -f "$last"
  if [ $# -gt 1 ]; then
    until shoot "$now" && ! cmp -s "$2" "$now"; do
      [ "$SECONDS" -lt "$deadline" ] || return 1
    done
    mv "$now" "$last"
  fi
  until shoot "$now" && cmp -s "$last" "$now"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    mv -f "$now" "$last" 2>/dev/null || true
  done
  rm -f "$now"
}

save_dialog_gone() { ! save_dialog; }
program_ended() { ! kill -0 "$app"; }
