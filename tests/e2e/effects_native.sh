#!/usr/bin/env bash
# curves, splines and splines2 fullscreen under Xvfb: each shows its
# checkerboard (splines its counter "Splines: 6" at (2, 2)) and ends with
# status 0 on Escape.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/effects_lib.sh"
build=$1
E2E_BUILD=$build
. "$build/programs.sh"
# A 320x200 screen shows the frame pixel for pixel with square pixels.
xvfb_start 320x200x24

for program in $PACK_FULLSCREEN_PROGRAMS; do
  exe=$build/bin/$program
  [ -x "$exe" ] || fail "$program was not built"
  "$exe" --square-pixels 2>"$E2E_TMP/$program.err" &
  pid=$!
  E2E_PIDS+=("$pid")
  window=$(wait_window 20 Velkrant) ||
    fail "$program: no window (running: $(kill -0 "$pid" 2>&1 && echo yes), X server: $(kill -0 "${E2E_PIDS[0]}" 2>&1 && echo alive) $(tail -3 "$E2E_TMP/xvfb.log")) $(cat "$E2E_TMP/$program.err")"
  shot=$E2E_TMP/$program.png
  shoot_and_keep "$shot" "$program" "$build/e2e-$program"
  xdotool windowfocus "$window" 2>/dev/null
  xdotool key Escape
  expect_clean_end "$pid" "$program"
  echo "$program: checkerboard on screen, Escape gave status 0"
done
