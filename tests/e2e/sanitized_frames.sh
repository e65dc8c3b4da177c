#!/usr/bin/env bash
# Headless frame export of each graphics program, built with AddressSanitizer
# and UBSan, at several times across its show: every export ends with status
# 0, without a sanitizer report or a leak, and writes a PNG of the program's
# size. Usage: sanitized_frames.sh BUILD_DIR PROGRAM
set -u
. "$(dirname "$0")/lib.sh"
build=$1 program=$2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:exitcode=23
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

if [ "$program" = fennick ]; then
  # The clock count itself: the start, a few seconds, days, and both sides
  # of the 32-bit wrap.
  times="0 1 3000 86400000 2147483647 2147483648 4294967295"
  size="320 x 240"
else
  # Milliseconds since the scene loop started: the first tick, the white
  # flash at tick 500, every count of points, the last frames and the one
  # at the limit.
  times="0 15 16 4800 8000 100000 200000 287999 288000"
  size="320 x 200"
fi
for ms in $times; do
  out=$E2E_TMP/$program-$ms.png
  timeout 120 "$build/bin/$program" --frame "$ms" "$out" 2>"$E2E_TMP/err"
  status=$?
  [ "$status" -eq 0 ] || fail "$program --frame $ms: status $status: $(head -c 2000 "$E2E_TMP/err")"
  [ ! -s "$E2E_TMP/err" ] || fail "$program --frame $ms said: $(head -c 2000 "$E2E_TMP/err")"
  file "$out" | grep -q "PNG image data, $size, 8-bit/color RGB" || fail "$program --frame $ms: $(file "$out")"
done
echo "$program: frames at $(echo $times | wc -w) times clean under ASan and UBSan"
