#!/usr/bin/env bash
# fennick.exe's window and keys under Wine, in a 1024x768 virtual desktop:
# its client area is 960x720, the largest whole multiple of 320x240 that
# fits with the frame (as for curves.exe --window); a tap of Space (down and
# up at once, within one frame) pauses the picture and a second tap lets it
# move again; Escape then ends it with status 0.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fennick_screen.sh"
build=$1
wine_own_prefix "$build" fennick 1024x768
xvfb_start 1024x768x24

timeout -k 5 120 wine "$build/bin/fennick.exe" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
wine_desktop_contours "$E2E_TMP/shot.png"

# A start of Wine on a busy machine may fail by itself: tried again for 30 s.
# Into a file, not a pipe: a process that Wine starts could hold a pipe open.
client_size() {
  timeout 20 wine "$build/test-bin/post_message.exe" ptc_window client >"$E2E_TMP/size" 2>/dev/null || return 1
  size=$(tr -d '\r' <"$E2E_TMP/size")
}
wait_for 30 client_size || fail "no ptc window to measure"
[ "$size" = 960x720 ] || fail "client area $size, expected 960x720"

# moving / unmoved: of two screenshots taken one after the other, the
# second differs from the first, or is the same.
two_shots() {
  import -window "$desktop" "$E2E_TMP/a.png" && import -window "$desktop" "$E2E_TMP/b.png" || return 1
  difference=$(compare -metric AE "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1)
  [ $? -le 1 ]  # 1: they differ; 2: compare failed
}
moving() { two_shots && [ "${difference%% *}" != 0 ]; }
unmoved() { two_shots && [ "${difference%% *}" = 0 ]; }
# still: unmoved now and a second later.
still() { unmoved && sleep 1 && unmoved; }
tap_space() {  # --sync can wait for ever on a busy machine
  timeout 10 xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop"
  xdotool key space
}

wait_for 10 moving || fail "the picture stands still before any key"
tap_space
wait_for 20 still || fail "a tap of Space did not pause the picture ($difference pixels changed)"
tap_space
wait_for 10 moving || fail "a second tap of Space did not let the picture move again"
xdotool key Escape
expect_clean_end "$pid" fennick.exe
echo "fennick.exe: 960x720 client area; a tap of Space paused it and another resumed it; Escape gave 0"
