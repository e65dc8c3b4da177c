#!/usr/bin/env bash
# The test pattern program on Wine's own DirectDraw in the virtual desktop:
# at 32 bits, and at 16 bits with 32 and 24 refused by the test library
# forwarding to the system's DirectDraw. The screenshot shows the pattern
# (truncated to 5-6-5 at 16 bits); Escape ends the program with status 0.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fullscreen_lib.sh"
build=$1
xvfb_start 640x480x24
wine_own_prefix "$build" fullscreen

windows_exe "$build/test-bin/fullscreen_pattern.exe" GUI

# pattern_shown SHOT MODE: a screenshot in SHOT shows the pattern (what
# differs in SHOT.why).
pattern_shown() { import -window root "$1" 2>/dev/null && check_pattern "$1" 0 0 1 "$2" 2>"$1.why"; }

# show_and_end NAME MODE: runs the program copied into $E2E_TMP/NAME, takes
# a screenshot once the pattern is up, presses Escape, checks the status 0.
show_and_end() {
  local name=$1 mode=$2 dir=$E2E_TMP/$1 shot=$E2E_TMP/$1.png window status
  timeout -k 5 40 wine "$dir/fullscreen_pattern.exe" &
  local pid=$!
  window=$(wait_window 20 Velkrant) || fail "$name: no window"
  # Screenshots until the pattern is up (the desktop shows before the mode
  # switch, and frames need a moment to arrive).
  local shown=0
  wait_for 20 pattern_shown "$shot" "$mode" || shown=1
  xdotool key --window "$window" Escape 2>/dev/null
  wait "$pid"; status=$?
  [ "$status" -eq 0 ] || fail "$name: exit status $status after Escape, expected 0"
  [ "$shown" -eq 0 ] || { cp "$shot" "$build/$name-failed.png"; fail "$name: screenshot differs (kept as $build/$name-failed.png): $(cat "$shot.why")"; }
  echo "$name: pattern on screen, Escape gave status 0"
}

mkdir -p "$E2E_TMP/depth32" "$E2E_TMP/depth16"
cp "$build/test-bin/fullscreen_pattern.exe" "$E2E_TMP/depth32/"
show_and_end depth32 exact

cp "$build/test-bin/fullscreen_pattern.exe" "$build/fake_ddraw/ddraw.dll" "$E2E_TMP/depth16/"
export WINEDLLOVERRIDES=ddraw=n,b FAKE_DDRAW_FORWARD=1 FAKE_DDRAW_MODES=16 FAKE_DDRAW_LOG=$E2E_TMP/depth16.log
show_and_end depth16 rgb565
modes=$(grep '^SetDisplayMode' "$FAKE_DDRAW_LOG" | tr '\n' ';')
[ "$modes" = "SetDisplayMode 320 200 32;SetDisplayMode 320 200 24;SetDisplayMode 320 200 16;" ] ||
  fail "depth16: modes tried: $modes"
echo "fullscreen on Wine's DirectDraw: ok"
