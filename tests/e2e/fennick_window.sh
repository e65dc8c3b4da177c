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
  window=$(wait_window 15 Morkelbrand) || fail "no window titled Morkelbrand: $(cat "$E2E_TMP/err")"
}
# A frame on the black screen (the last screenshot in FILE).
shot_drawn() { import -window root "$1" && [ "$(convert "$1" -format '%[fx:maxima]' info:)" != 0 ]; }
# A screenshot in FILE that differs from BEFORE.
shot_differs() { import -window root "$1" && [ "$(compare -metric AE "$2" "$1" null: 2>&1)" != 0 ]; }

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
wait_for 20 shot_drawn "$E2E_TMP/first.png"
read -r black green yellow < <(screen_fractions "$E2E_TMP/first.png")
echo "screen: black $black, outer-contour green $green, inner-contour yellow $yellow"
shows_contours "$E2E_TMP/first.png" || fail "the screen does not show green and yellow lines on black"
wait_for 10 shot_differs "$E2E_TMP/second.png" "$E2E_TMP/first.png" || fail "the picture does not move"
[ -n "${FENNICK_E2E_KEEP:-}" ] && cp "$E2E_TMP/first.png" "$FENNICK_E2E_KEEP"
# The window made first is the one that shows the picture.
shown=$(xdotool search --onlyvisible --name '^Morkelbrand$')
[ "$shown" = "$window" ] || fail "the window was replaced: first $window, now $shown"

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key Escape
wait_exit_within 1
[ "$rc" = 0 ] || fail "after Escape: exit status $rc, expected 0 within a second ($(cat "$E2E_TMP/err"))"

# 2. Closing the window.
start_fennick
# Its loop runs (and takes close requests) once it draws.
wait_for 20 shot_drawn "$E2E_TMP/first.png" || fail "nothing on screen before the close request"
"$build/bin/x11_close_window" "$window" || fail "could not send the close request"
wait_exit_within 3
[ "$rc" = 0 ] || fail "after the close request: exit status $rc, expected 0 ($(cat "$E2E_TMP/err"))"
echo "fennick window: ok"
