#!/usr/bin/env bash
# fennick.exe under Wine with the stand-in clock starting 2 s before the
# 32-bit count wraps: its time falls back to 0 with the count, and it keeps
# drawing without a fault (the picture keeps changing after the wrap); then
# Escape ends it with status 0.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fennick_screen.sh"
build=$1
wine_own_prefix "$build" fennick
xvfb_start 1024x768x24
app=$E2E_TMP/app
mkdir -p "$app"
cp "$build/bin/fennick.exe" "$build/bin/ptc.dll" "$build/fakes/winmm.dll" "$app/"

env WINEDLLOVERRIDES="winmm=n,b" FAKE_WINMM_START=$((4294967296 - 2000)) \
  timeout -k 5 120 wine "$app/fennick.exe" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
wine_desktop_contours "$E2E_TMP/shot.png"
# past_wrap SECS: lets SECS go by. The stand-in clock follows real time
# from the program's first reading (before the contours showed) and wraps
# 2 s after it.
past_wrap() { sleep "$1"; }
past_wrap 3
kill -0 "$pid" 2>/dev/null || fail "fennick ended across the wrap"
import -window "$desktop" "$E2E_TMP/a.png"
# Then the picture changes, and shows the contours.
moved() {
  import -window "$desktop" "$E2E_TMP/b.png" || return 1
  difference=$(compare -metric AE "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1)
  [ "${difference%% *}" != 0 ]
}
wait_for 10 moved || fail "the picture stood still after the wrap"
shows_contours "$E2E_TMP/b.png" 0.15 || fail "no contour lines after the wrap"
xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop"
xdotool key Escape
expect_clean_end "$pid" fennick.exe
echo "fennick.exe across the wrap: $difference pixels changed after it; ok"
