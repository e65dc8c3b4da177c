#!/usr/bin/env bash
# fennick natively with Escape already held when it starts: it ends with
# status 0 before presenting any frame, as the Win32 build does. The press
# came before the window existed, so only the X server's key map tells it
# (the quick key repeat merely keeps such a press in the window's events
# too); presents are counted by a preloaded library (sdl_call_counter.c),
# which writes its file at the first counted call.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
counts=$E2E_TMP/counts
xvfb_start 1024x768x24 -ardelay 30 -arinterval 10
xdotool mousemove 512 384  # over the window to come: it gets the keys
xdotool keydown Escape
LD_PRELOAD=$build/test-bin/libsdl_call_counter.so SDL_CALL_COUNTER_FILE=$counts \
  timeout 20 "$build/bin/fennick" 2>"$E2E_TMP/err"
status=$?
xdotool keyup Escape
[ "$status" -eq 0 ] || fail "status $status with Escape held, expected 0: $(cat "$E2E_TMP/err")"
presents=0
[ -s "$counts" ] && read -r _ presents _ <"$counts"
[ "$presents" -eq 0 ] || fail "$presents frames presented with Escape held at start, expected none"
echo "fennick with Escape held at start: no frame, status 0: ok"
