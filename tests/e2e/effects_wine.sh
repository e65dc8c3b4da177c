#!/usr/bin/env bash
# curves.exe, splines.exe and splines2.exe under Wine in its virtual desktop:
# each is a GUI exe with an icon, shows its checkerboard (splines its counter
# "Splines: 6" at (2, 2)) and ends with status 0 on Escape.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/effects_lib.sh"
build=$1
E2E_BUILD=$build
. "$build/programs.sh"
xvfb_start 640x480x24
# A prefix of its own: its virtual desktop belongs to this test's X server.
wine_own_prefix "$build" effects
E2E_WINE_STARTED=1

for program in $PACK_FULLSCREEN_PROGRAMS; do
  exe=$build/bin/$program.exe
  windows_exe "$exe" GUI
  "$PE_OBJDUMP" -h "$exe" | grep -q '\.rsrc' || fail "$program: no resource section (icon)"
  timeout -k 5 60 wine "$exe" &
  pid=$!
  window=$(wait_window 30 Velkrant) || fail "$program: no window"
  # The virtual desktop takes the 320x200 mode at the screen's top left.
  shot=$E2E_TMP/$program.png
  shoot_and_keep "$shot" "$program" "$build/e2e-$program"
  xdotool key --window "$window" Escape 2>/dev/null
  expect_clean_end "$pid" "$program.exe"
  echo "$program.exe: checkerboard on screen, Escape gave status 0"
done
