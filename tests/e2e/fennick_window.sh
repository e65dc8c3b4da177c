#!/usr/bin/env bash
# fennick on a private X server: the window titled "Morkelbrand" appears and
# shows moving coloured contour lines on black; Escape ends the program with
# status 0 within a second; a close request from the window system ends it
# with status 0 too.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fennick_screen.sh"
build=$1
exe=$build/bin/fennick
xvfb_start 1024x768x24

start_fennick() {
  "$exe" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  E2E_PIDS+=("$pid")
  wait_for 15 xdotool search --name '^Morkelbrand$' || fail "no window titled Morkelbrand: $(cat "$E2E_TMP/err")"
  window=$(xdotool search --name '^Morkelbrand$' | head -n 1)
}

# Waits up to SECS for the program to end; sets rc to its exit status, or
# to "still running".
wait_exit_within() {
  local secs=$1 end
  end=$(($(date +%s%N) + secs * 1000000000))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$(date +%s%N)" -gt "$end" ] && { rc="still running"; return; }
    sleep 0.02
  done
  wait "$pid"
  rc=$?
}

# 1. The window, its picture, Escape.
start_fennick
sleep 1
import -window root "$E2E_TMP/first.png"
sleep 0.3
import -window root "$E2E_TMP/second.png"
read -r black green yellow < <(screen_fractions "$E2E_TMP/first.png")
echo "screen: black $black, outer-contour green $green, inner-contour yellow $yellow"
shows_contours "$E2E_TMP/first.png" || fail "the screen does not show green and yellow lines on black"
[ "$(compare -metric AE "$E2E_TMP/first.png" "$E2E_TMP/second.png" null: 2>&1)" != 0 ] || fail "the picture does not move"
[ -n "${FENNICK_E2E_KEEP:-}" ] && cp "$E2E_TMP/first.png" "$FENNICK_E2E_KEEP"

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key Escape
wait_exit_within 1
[ "$rc" = 0 ] || fail "after Escape: exit status $rc, expected 0 within a second ($(cat "$E2E_TMP/err"))"

# 2. Closing the window.
start_fennick
sleep 0.5
"$build/bin/x11_close_window" "$window" || fail "could not send the close request"
wait_exit_within 3
[ "$rc" = 0 ] || fail "after the close request: exit status $rc, expected 0 ($(cat "$E2E_TMP/err"))"
echo "fennick window: ok"
