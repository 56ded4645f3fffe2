# Sourced by the scripts that drive the real window under X: waiting without a fixed sleep, and a
# virtual X display where there is none. The caller keeps the helpers' ids in the array `helpers`
# and stops them when it ends.

# wait_for <seconds> <command...>: runs the command every tenth of a second until it succeeds,
# for at most that many seconds.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# use_virtual_display <folder> <log>: without a DISPLAY, starts Xvfb and exports its DISPLAY.
# Returns non-zero when the display does not come up.
use_virtual_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  # Xvfb picks a free display number itself and writes it to the descriptor it is given.
  local display_number="$1/.display"
  : >"$display_number"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_number" 2>>"$2" &
  helpers+=($!)
  wait_for 20 test -s "$display_number" || return 1
  export DISPLAY=":$(head -n 1 "$display_number")"
  rm -f "$display_number"
  unset WAYLAND_DISPLAY
}
