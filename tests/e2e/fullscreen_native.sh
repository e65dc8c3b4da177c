#!/usr/bin/env bash
# The native display (SDL2) under a bare Xvfb without a window manager: the
# test pattern program covers the screen, with --square-pixels the 320x200
# frame is scaled 2x (black bars above and below on 640x480), the pointer
# is hidden over it, and Escape ends it with status 0. Without any display
# it ends with status 1 and one line on stderr.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fullscreen_lib.sh"
build=$1
bin=$build/test-bin

# ---- no display --------------------------------------------------------
# SDL tries every video driver; an empty runtime folder keeps the Wayland
# library quiet, and SDL's invisible fallback drivers must not count.
mkdir -m 700 "$E2E_TMP/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$E2E_TMP/runtime" \
  timeout 20 "$bin/fullscreen_pattern" >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
[ "$status" -eq 1 ] || fail "no display: exit status $status, expected 1"
[ "$(wc -l <"$E2E_TMP/err")" -eq 1 ] || fail "no display: expected one line on stderr, got: $(cat "$E2E_TMP/err")"
grep -qE '^fullscreen_pattern: cannot open a 320x200 display: .+' "$E2E_TMP/err" ||
  fail "no display: unexpected message: $(cat "$E2E_TMP/err")"
[ ! -s "$E2E_TMP/out" ] || fail "no display: unexpected output: $(cat "$E2E_TMP/out")"
echo "no display: status 1, stderr: $(cat "$E2E_TMP/err")"

# ---- on a bare X server ------------------------------------------------
xvfb_start 640x480x24
xdotool mousemove 300 200
[ "$("$bin/x_cursor_probe")" != hidden ] || fail "the X server's own pointer should be visible"
timeout -k 5 60 "$bin/fullscreen_pattern" --square-pixels 2>"$E2E_TMP/err" &
pid=$!
window=$(wait_window 15 Velkrant) || fail "no window titled Velkrant"
geometry() { xdotool getwindowgeometry "$window" 2>/dev/null | tr -s ' \n' ' '; }
covers_screen() { [[ $(geometry) == *"Position: 0,0"*"Geometry: 640x480"* ]]; }
wait_for 20 covers_screen || fail "not fullscreen: $(geometry)"
shot=$E2E_TMP/native.png
# Frames are on screen once the first block shows its colour.
wait_for 10 bash -c "[ \"\$(convert x:root -format '%[pixel:p{40,90}]' info:)\" = 'srgb(7,3,229)' ]" ||
  fail "the pattern never appeared: $(convert x:root -format '%[pixel:p{40,90}]' info:)"
import -window root "$shot"
check_pattern "$shot" 0 40 2 exact || { cp "$shot" "$build/fullscreen_native-failed.png"; fail "pattern differs (kept as $build/fullscreen_native-failed.png)"; }
bars=$(screen_pixels "$shot" 320,20 320,460 | sort -u)
[ "$bars" = "0 0 0" ] || fail "expected black bars above and below, got: $bars"
probe=$("$bin/x_cursor_probe")
[ "$probe" = hidden ] || fail "pointer over the program: $probe"
# The window found first is the one on screen: made once.
shown=$(xdotool search --onlyvisible --name '^Velkrant$')
[ "$shown" = "$window" ] || fail "the window was replaced: first $window, now $shown"

xdotool windowfocus "$window" 2>/dev/null
xdotool key Escape 2>/dev/null
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape, expected 0: $(cat "$E2E_TMP/err")"
[ "$("$bin/x_cursor_probe")" != hidden ] || fail "pointer still hidden after the end"
echo "native fullscreen under Xvfb: ok"
