#!/usr/bin/env bash
# The player natively, on curves in a 1:1 window on a bare Xvfb: Space
# freezes the picture (two screenshots a second apart are equal); while
# paused, Home goes back to 0 and Right to 1 s, and the window then shows
# exactly `--frame 1000`, and S saves that frame as curves-1000.png in the
# current folder, the same picture, with its line on stdout; the overlay is
# off until I; Escape ends with 0.
# On splines' cream picture the overlay's text is white on a dark band.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin
"$bin/curves" --frame 1000 "$E2E_TMP/at-1000.png" || fail "--frame 1000 failed"

# 400x300: the largest whole multiple of 320x200 that fits is 1.
xvfb_start 400x300x24
(cd "$E2E_TMP" && exec timeout -k 5 60 "$bin/curves" --window --square-pixels >"$E2E_TMP/out" 2>"$E2E_TMP/err") &
pid=$!
E2E_PIDS+=("$pid")
window=$(wait_window 15 Velkrant) || fail "no window titled Velkrant"
shoot() { import -window "$window" "$E2E_TMP/$1.png"; }
differing() { compare -metric AE "$E2E_TMP/$1.png" "$2" null: 2>&1; }
drawn() { shoot first && [ "$(convert "$E2E_TMP/first.png" -format '%[fx:maxima]' info:)" != 0 ]; }
wait_for 20 drawn || fail "no picture in the window"

xdotool key --window "$window" space
# equal_after SECS: a screenshot SECS after paused-a equals it
equal_after() { sleep "$1"; shoot paused-b && [ "$(differing paused-a "$E2E_TMP/paused-b.png")" = 0 ]; }
# Paused once two screenshots in a row are equal; a second later it still is.
next_equal() { shoot paused-a && equal_after 0; }
wait_for 20 next_equal && equal_after 1 || fail "Space: the picture still moves"
echo "Space: two screenshots 1 s apart are equal"

xdotool key --window "$window" Home Right
shows_frame_1000() { shoot moved && [ "$(differing moved "$E2E_TMP/at-1000.png")" = 0 ]; }
wait_for 10 shows_frame_1000 || {
  cp "$E2E_TMP/moved.png" "$build/e2e-player-moved.png"
  fail "Home, Right: $(differing moved "$E2E_TMP/at-1000.png") pixels differ from --frame 1000 (kept as $build/e2e-player-moved.png)"
}
echo "paused, Home then Right: the window shows --frame 1000 exactly"

xdotool key --window "$window" s
saved_line='saved curves-1000.png  ?program=curves&t=1000&paused'
said_saved() { grep -qxF "$saved_line" "$E2E_TMP/out"; }
wait_for 10 said_saved || fail "S: no line '$saved_line' (stdout: $(cat "$E2E_TMP/out"), stderr: $(cat "$E2E_TMP/err"))"
[ "$(differing at-1000 "$E2E_TMP/curves-1000.png")" = 0 ] || fail "S: curves-1000.png is not --frame 1000"
echo "S: $saved_line, the same picture as --frame 1000"

xdotool key --window "$window" i
shows_overlay() { shoot overlay && [ "$(differing overlay "$E2E_TMP/at-1000.png")" != 0 ]; }
wait_for 10 shows_overlay || fail "I: no overlay on the picture"
cp "$E2E_TMP/overlay.png" "$build/e2e-player-overlay.png"
echo "I: the overlay line on the picture (kept as $build/e2e-player-overlay.png)"

xdotool key --window "$window" Escape
expect_clean_end "$pid" curves
echo "Escape: status 0"

timeout -k 5 60 "$bin/splines" --window --square-pixels 2>"$E2E_TMP/err" &
pid=$!
E2E_PIDS+=("$pid")
window=$(wait_window 15 Velkrant) || fail "splines: no window titled Velkrant"
wait_for 20 drawn || fail "splines: no picture in the window"
xdotool key --window "$window" i
# The band's first 60x18 pixels: white text, and no other channel above 31.
band_dark() {
  shoot band && convert "$E2E_TMP/band.png" -crop 60x18+0+0 +repage -write "$E2E_TMP/corner.png" \
    -fill black -opaque white -format '%[fx:maxima * 255 <= 31]' info: | grep -qx 1 &&
    [ "$(convert "$E2E_TMP/corner.png" -fill black +opaque white -format '%[fx:mean > 0]' info:)" = 1 ]
}
wait_for 10 band_dark || {
  cp "$E2E_TMP/band.png" "$build/e2e-player-band.png"
  fail "splines, I: the overlay is not white on a dark band (kept as $build/e2e-player-band.png)"
}
echo "splines, I: white text on a dark band over the cream picture"
kill "$pid"
