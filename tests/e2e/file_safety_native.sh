#!/usr/bin/env bash
# --frame and --record never harm what is already there, in a folder of the
# test's own: a device node stays a device, a FIFO gets the PNG's bytes, a
# file-size limit and a full file system fail .mp4 and .mkv captures with
# status 2, the system's own words for the cause and nothing left (a capture
# that cannot fit says so before its first frame), SIGTERM and SIGINT end a
# capture with 143 and 130, one line and no file, and SIGTERM a run of
# frames between two whole files; a capture works with
# standard input closed; names that look like options or protocols are
# written under exactly those names.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin
command -v ffmpeg >/dev/null || { echo "SKIP: ffmpeg is not installed"; exit 0; }
d=$E2E_TMP/out
mkdir "$d"
cd "$d" || exit 1
"$bin/curves" --frame 700 "$E2E_TMP/reference.png" || fail "--frame to a new file"

# Everything in the folder but the names given: what a failure left behind.
leftovers() {
  local patterns=() name
  for name; do patterns+=(-e "$name"); done
  ls -A | grep -vxF "${patterns[@]}"
}

# A device node (made here; only root may).
if [ "$(id -u)" -eq 0 ] && mknod null-device c 1 3 2>/dev/null; then
  "$bin/curves" --frame 700 null-device || fail "--frame to a device: status $?"
  [ -c null-device ] || fail "the device node was replaced: $(ls -l null-device)"
  echo "device node stays a device: ok"
  rm null-device
else
  echo "SKIP device node: mknod needs root here"
fi

mkfifo pipe.png
cat pipe.png >"$E2E_TMP/from-fifo" &
reader=$!
E2E_PIDS+=("$reader")
timeout 20 "$bin/curves" --frame 700 pipe.png || fail "--frame to a FIFO: status $?"
wait_for 10 bash -c "! kill -0 $reader" || fail "the FIFO's reader is still waiting for the PNG"
cmp -s "$E2E_TMP/from-fifo" "$E2E_TMP/reference.png" || fail "the FIFO's reader did not get the PNG"
[ -p pipe.png ] || fail "the FIFO was replaced"
rm pipe.png
echo "FIFO gets the PNG: ok"

# A file-size limit, with SIGXFSZ ignored as many services run programs: the
# last write of the video fails ("Error writing trailer", after which ffmpeg
# alone exits 0). The limit is set 1-2 KiB below the whole video's size.
for ext in mp4 mkv; do
  "$bin/fennick" --record "whole.$ext" --seconds 4 --fps 30 --scale 1 2>/dev/null || fail "whole.$ext"
  limit=$(($(stat -c %s "whole.$ext") / 1024 - 1))
  rm "whole.$ext"
  (ulimit -f "$limit"; trap '' XFSZ; exec "$bin/fennick" --record "cut.$ext" --seconds 4 --fps 30 --scale 1) 2>"$E2E_TMP/err"
  status=$?
  [ "$status" -eq 2 ] || fail ".$ext past the file-size limit: status $status, expected 2"
  [ "$(grep -v '^recorded' "$E2E_TMP/err")" = "fennick: cannot write cut.$ext: File too large" ] ||
    fail ".$ext past the limit: expected the system's cause in one line: $(cat "$E2E_TMP/err")"
  [ -z "$(ls -A)" ] || fail ".$ext past the file-size limit left $(ls -A)"
done
echo "file-size limit: status 2, \"File too large\", nothing left: ok"

# A full file system of the test's own (a small tmpfs; only root may mount
# one): a capture says before its first frame that it cannot fit, then fails
# with the words a PNG gets there.
full=$E2E_TMP/full
mkdir "$full"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=512k tmpfs "$full" 2>/dev/null; then
  trap 'umount "$full"; e2e_cleanup' EXIT
  dd if=/dev/zero of="$full/filler" bs=4k 2>/dev/null
  "$bin/curves" --frame 700 "$full/f.png" 2>"$E2E_TMP/err"
  [ "$(cat "$E2E_TMP/err")" = "curves: cannot write $full/f.png: No space left on device" ] ||
    fail "PNG on a full file system: $(cat "$E2E_TMP/err")"
  for ext in mp4 mkv; do
    "$bin/curves" --record "$full/v.$ext" --seconds 2 2>"$E2E_TMP/err"
    status=$?
    [ "$status" -eq 2 ] || fail ".$ext on a full file system: status $status, expected 2"
    grep -v '^recorded' "$E2E_TMP/err" >"$E2E_TMP/lines"
    grep -qx 'curves: this capture of 120 frames of 960x720 takes about .* and .*; its folder has only 0 bytes free' \
      <(head -1 "$E2E_TMP/lines") || fail ".$ext: no estimate before the first frame: $(cat "$E2E_TMP/err")"
    [ "$(tail -n +2 "$E2E_TMP/lines")" = "curves: cannot write $full/v.$ext: No space left on device" ] ||
      fail ".$ext on a full file system: expected the system's cause: $(cat "$E2E_TMP/err")"
  done
  [ "$(ls -A "$full")" = filler ] || fail "a full file system kept $(ls -A "$full")"
  echo "full file system: estimate first, then \"No space left on device\" as for a PNG, nothing left: ok"
else
  echo "SKIP full file system: mounting a tmpfs needs root here"
fi

# Signals during a capture.
for signal in TERM:143 INT:130; do
  timeout --preserve-status -s "${signal%:*}" 1.5 "$bin/splines" --record "sig.mkv" --seconds 60 2>"$E2E_TMP/err"
  status=$?
  [ "$status" -eq "${signal#*:}" ] || fail "SIG${signal%:*} during a capture: status $status, expected ${signal#*:}"
  [ "$(grep -v '^recorded' "$E2E_TMP/err")" = "splines: capture interrupted; nothing written" ] ||
    fail "SIG${signal%:*}: expected our one line: $(cat "$E2E_TMP/err")"
  [ -z "$(ls -A)" ] || fail "SIG${signal%:*} left $(ls -A)"
done
echo "SIGTERM and SIGINT during a capture: ok"

# SIGTERM during a run of frames stops it between two whole files (SIGINT
# is ignored by a job started in the background of a script).
"$bin/splines" --frames 0 4000000 16 "run%06d.png" 2>"$E2E_TMP/err" &
run=$!
E2E_PIDS+=("$run")
wait_for 20 test -e run000002.png || fail "--frames wrote nothing: $(cat "$E2E_TMP/err")"
kill -TERM "$run"
wait "$run"
status=$?
[ "$status" -eq 143 ] || fail "SIGTERM during --frames: status $status, expected 143"
grep -qx 'splines: interrupted after [0-9]* of 250001 frames' <(grep -v '^wrote' "$E2E_TMP/err") ||
  fail "SIGTERM during --frames: expected one line: $(cat "$E2E_TMP/err")"
[ -z "$(ls -A | grep -vx 'run[0-9]\{6\}\.png')" ] || fail "--frames left $(ls -A | grep -vx 'run[0-9]*\.png')"
last=$(ls run*.png | tail -1)
"$bin/splines" --frame $((16 * 10#${last:3:6})) "$E2E_TMP/last.png"
cmp -s "$last" "$E2E_TMP/last.png" || fail "the last file of the run, $last, is not its whole frame"
rm run*.png
echo "SIGTERM during --frames: 143, whole files only: ok"

"$bin/curves" --record closed-input.mkv --seconds 0.2 <&- 2>"$E2E_TMP/err" || fail "with stdin closed: $(cat "$E2E_TMP/err")"
for name in -take1.mkv file:x.mkv; do
  "$bin/curves" --record "$name" --seconds 0.2 2>"$E2E_TMP/err" || fail "$name: $(cat "$E2E_TMP/err")"
done
[ -z "$(leftovers closed-input.mkv -take1.mkv file:x.mkv)" ] || fail "files other than the names given: $(ls -A)"
[ "$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 ./-take1.mkv)" = ffv1 ] || fail "-take1.mkv is no video"
echo "closed standard input, names like options and protocols: ok"
