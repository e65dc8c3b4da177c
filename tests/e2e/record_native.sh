#!/usr/bin/env bash
# --record on the real programs: frame count and size as ffprobe reports
# them, the first frame of a lossless capture equal to --frame 0 scaled (and
# with --start, to --frame at the start), H.264 in .mp4, a GIF that plays in
# its true time, progress on a terminal, and failures that leave no file.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin
t=$E2E_TMP
command -v ffmpeg >/dev/null || { echo "SKIP: ffmpeg is not installed"; exit 0; }

probe() {  # FILE -> "codec,width,height,frames"
  ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,width,height,nb_read_frames -of csv=p=0 "$1"
}

# 2 s at 30 fps of the 320x200 splines: 60 frames, 3x and stretched to 4:3.
"$bin/splines" --record "$t/splines.mkv" --seconds 2 --fps 30 2>"$t/err" || fail "splines --record: $(cat "$t/err")"
[ "$(probe "$t/splines.mkv")" = "ffv1,960,720,60" ] || fail "splines.mkv: $(probe "$t/splines.mkv")"
grep -q 'recorded 60 of 60 frames' "$t/err" || fail "no progress lines on a non-terminal stderr: $(cat "$t/err")"
[ ! -e "$t/splines.partial.mkv" ] || fail "the temporary file was left behind"

# Square pixels: the first frame is --frame 0 at 3x, pixel for pixel.
"$bin/splines" --record "$t/square.mkv" --seconds 0.1 --fps 30 --square-pixels 2>/dev/null || fail "--square-pixels capture failed"
[ "$(probe "$t/square.mkv")" = "ffv1,960,600,3" ] || fail "square.mkv: $(probe "$t/square.mkv")"
ffmpeg -v error -i "$t/square.mkv" -frames:v 1 "$t/first.png"
"$bin/splines" --frame 0 "$t/frame0.png"
convert "$t/frame0.png" -scale 300% "$t/frame0x3.png"
diff=$(compare -metric AE "$t/first.png" "$t/frame0x3.png" null: 2>&1)
[ "$diff" = 0 ] || fail "first captured frame differs from --frame 0 scaled 3x in $diff pixels"

# From any moment: with --start 16000 the first frame is --frame 16000.
"$bin/curves" --record "$t/start.mkv" --start 16000 --seconds 0.1 --fps 30 --scale 1 --square-pixels 2>/dev/null ||
  fail "--start capture failed"
[ "$(probe "$t/start.mkv")" = "ffv1,320,200,3" ] || fail "start.mkv: $(probe "$t/start.mkv")"
ffmpeg -v error -i "$t/start.mkv" -frames:v 1 "$t/start-first.png"
"$bin/curves" --frame 16000 "$t/frame16000.png"
diff=$(compare -metric AE "$t/start-first.png" "$t/frame16000.png" null: 2>&1)
[ "$diff" = 0 ] || fail "first frame of --start 16000 differs from --frame 16000 in $diff pixels"

# fennick (4:3 already) at scale 2 in H.264.
"$bin/fennick" --record "$t/fennick.mp4" --seconds 1 --fps 10 --scale 2 2>/dev/null || fail "fennick --record .mp4 failed"
[ "$(probe "$t/fennick.mp4")" = "h264,640,480,10" ] || fail "fennick.mp4: $(probe "$t/fennick.mp4")"

# A GIF plays in its true time: 50 fps without --fps, each frame's delay
# 2 hundredths of a second.
"$bin/curves" --record "$t/curves.gif" --seconds 1 --scale 1 2>/dev/null || fail "curves --record .gif failed"
length=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$t/curves.gif")
[ "$length" = 1.000000 ] || fail "a 1 s curves.gif plays for $length s"

# A progress bar on a terminal.
tmux_start record-progress bash -c "'$bin/curves' --record '$t/curves.mkv' --seconds 2 --fps 30 --scale 1; echo done-\$?; sleep 30"
wait_for 60 tmux_screen_has record-progress done- || fail "capture in a terminal did not end"
screen=$(tmux_screen record-progress)
grep -q '\[##############################\] 60/60 frames' <<<"$screen" || fail "no progress bar on the terminal: $screen"
grep -q 'done-0' <<<"$screen" || fail "capture in a terminal failed: $screen"

# Failures: status 2, one line on stderr, no file under the name.
expect_failure() {  # DESCRIPTION FILE COMMAND...
  local what=$1 file=$2; shift 2
  "$@" >/dev/null 2>"$t/err"
  local status=$?
  [ "$status" -eq 2 ] || fail "$what: status $status, expected 2"
  [ "$(wc -l <"$t/err")" -eq 1 ] || fail "$what: expected one line on stderr: $(cat "$t/err")"
  [ ! -e "$file" ] && [ -z "$(ls "$t" | grep -F .partial)" ] || fail "$what: a file was left behind"
}
expect_failure "--fps 0" "$t/bad.mp4" "$bin/curves" --record "$t/bad.mp4" --seconds 1 --fps 0
expect_failure "--seconds abc" "$t/bad.mp4" "$bin/curves" --record "$t/bad.mp4" --seconds abc
expect_failure "--record without --seconds" "$t/bad.mp4" "$bin/curves" --record "$t/bad.mp4"
expect_failure "no ffmpeg on PATH" "$t/bad.mp4" env PATH=/nonexistent "$bin/curves" --record "$t/bad.mp4" --seconds 1
expect_failure "unwritable folder" /nonexistent/x.mp4 "$bin/curves" --record /nonexistent/x.mp4 --seconds 0.1
echo "record: ok"
