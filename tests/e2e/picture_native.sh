#!/usr/bin/env bash
# The native picture: on a 1280x960 screen a 320x200 program fills it as the
# 4:3 picture (one frame pixel 4 screen pixels wide, 4.8 tall on average);
# with --square-pixels 4x4 with bars; --window opens the largest multiple of
# 320x240 that fits; Alt+Enter switches fullscreen and window while the
# animation goes on, in curves and in fennick; Escape still ends with 0.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin
t=$E2E_TMP

start() {  # TITLE PROGRAM ARGS...: runs it, sets $pid and $window
  local title=$1; shift
  rm -f "$t/counts"
  # Its presents are counted by a preloaded library (sdl_call_counter.c).
  LD_PRELOAD=$build/test-bin/libsdl_call_counter.so SDL_CALL_COUNTER_FILE=$t/counts "$@" 2>"$t/err" &
  pid=$!
  E2E_PIDS+=("$pid")
  window=$(wait_window 20 "$title") || fail "$*: no window: $(cat "$t/err")"
}
geometry() { xdotool getwindowgeometry "$window" | tr -s ' \n' ' '; }
presents() { local n=0; [ -s "$t/counts" ] && read -r _ n _ <"$t/counts"; echo "$n"; }
presented() { [ "$(presents)" -ge "$1" ]; }
expect_geometry() {  # WxH X,Y: the window there, and frames drawn at that size
  wait_for 20 bash -c "xdotool getwindowgeometry $window | tr -s ' \n' ' ' | grep -q 'Position: $2 .*Geometry: $1'" ||
    fail "window at $(geometry), expected $1 at $2: $(cat "$t/err")"
  local at=$(presents)
  wait_for 20 presented $((at + 2)) ||
    fail "no frames presented at $1 ($(presents) in all): $(cat "$t/err")"
}
alt_enter() {
  xdotool mousemove --window "$window" 10 10 windowfocus "$window" key alt+Return 2>/dev/null
}
stop() {
  xdotool mousemove --window "$window" 10 10 windowfocus "$window" key Escape 2>/dev/null
  expect_clean_end "$pid" "the program (stderr: $(cat "$t/err"))"
}
still_drawing() {  # two screenshots half a second apart differ
  import -window root "$t/a.png"; sleep 0.5; import -window root "$t/b.png"
  [ "$(compare -metric AE "$t/a.png" "$t/b.png" null: 2>&1)" != 0 ] || fail "the picture stopped changing"
}

# Checkerboard squares along a one-pixel line of the screen (GEOMETRY as
# for convert -crop): the changes between brown and slate, plus one. Frame
# column 1 and row 1 are never crossed by an arc.
squares_along() {  # FILE GEOMETRY
  convert "$1" -crop "$2" +repage -depth 8 txt:- | tail -n +2 |
    awk '{ split($2, c, "[(,)]"); brown = (c[2] > c[4]); if (NR > 1 && brown != last) n++; last = brown }
         END { print n + 1 }'
}

xvfb_start 1280x960x24
start Velkrant "$bin/curves"
expect_geometry 1280x960 0,0
import -window root "$t/curves.png"
across=$(squares_along "$t/curves.png" 1280x1+0+6)
down=$(squares_along "$t/curves.png" 1x960+6+0)
# 40 squares of 8 frame pixels across 1280 screen pixels: 4 per frame pixel;
# 25 squares down 960: 38.4 screen pixels each, 4.8 per frame pixel.
[ "$across" -eq 40 ] && [ "$down" -eq 25 ] || fail "4:3 picture: $across squares across, $down down (expected 40 and 25)"
stop

start Velkrant "$bin/curves" --square-pixels
expect_geometry 1280x960 0,0
import -window root "$t/square.png"
bars=$(convert "$t/square.png" -crop 1280x80+0+0 +repage -format '%[fx:maxima]' info:)
[ "$bars" = 0 ] || fail "--square-pixels: the top 80 rows are not a black bar"
down=$(squares_along "$t/square.png" 1x800+6+80)
[ "$down" -eq 25 ] || fail "--square-pixels: $down squares down 800 rows, expected 25 of 32"
stop
echo "4:3 picture and square pixels on 1280x960: ok"

# Windowed: 1400x1050 fits 4 x (320x240) = 1280x960.
kill "${E2E_PIDS[0]}" 2>/dev/null; wait "${E2E_PIDS[0]}" 2>/dev/null
xvfb_start 1400x1050x24
for program in curves fennick; do
  title=Velkrant; args=(--window)
  [ "$program" = fennick ] && { title=Morkelbrand; args=(); }
  start "$title" "$bin/$program" "${args[@]}"
  expect_geometry 1280x960 60,45
  alt_enter
  expect_geometry 1400x1050 0,0
  still_drawing
  alt_enter
  expect_geometry 1280x960 60,45
  still_drawing
  stop
  echo "$program: window, Alt+Enter to fullscreen and back, still drawing, Escape: ok"
done
