#!/usr/bin/env bash
# fennick's command line: --frame writes a 320x240 RGB PNG of contour lines;
# bad command lines and unwritable files give one line on stderr and status
# 2; without any display the program says so in one line and fails.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fennick_screen.sh"
build=$1
exe=$build/bin/fennick
out=$E2E_TMP/frame.png

"$exe" --frame 3000 "$out" || fail "--frame 3000 failed with status $?"
[ "$(identify -format '%w %h %[bit-depth] %[channels]' "$out")" = "320 240 8 srgb" ] ||
  fail "not an 8-bit RGB 320x240 PNG: $(identify "$out")"
shows_contours "$out" || fail "the exported frame shows no contour lines"
"$exe" --frame 4294967295 "$E2E_TMP/last.png" || fail "--frame at the largest count failed"

# expect_usage_error STATUS ARGS...: one line on stderr, nothing on stdout.
expect_error() {
  local want=$1; shift
  "$@" >"$E2E_TMP/o" 2>"$E2E_TMP/e"
  local rc=$?
  [ "$rc" -eq "$want" ] || fail "'$*': status $rc, expected $want"
  [ "$(wc -l <"$E2E_TMP/e")" -eq 1 ] || fail "'$*': expected one line on stderr, got: $(cat "$E2E_TMP/e")"
  [ ! -s "$E2E_TMP/o" ] || fail "'$*': wrote to stdout: $(cat "$E2E_TMP/o")"
}
expect_error 2 "$exe" --frame 4294967296 "$out"
expect_error 2 "$exe" --frame -1 "$out"
expect_error 2 "$exe" --frame 12
expect_error 2 "$exe" --bogus
expect_error 2 "$exe" --frame 0 /nonexistent-dir/frame.png
"$exe" --help | grep -q -- '--frame MS FILE.png' || fail "--help does not describe --frame"
"$exe" --version | grep -q '^fennick ' || fail "--version does not name the program"

# No display at all.
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$exe" >"$E2E_TMP/o" 2>"$E2E_TMP/e"
rc=$?
[ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || fail "without a display: status $rc, expected a quick failure"
[ "$(wc -l <"$E2E_TMP/e")" -eq 1 ] || fail "without a display: expected one line on stderr, got: $(cat "$E2E_TMP/e")"
echo "fennick command line: ok ($(cat "$E2E_TMP/e"))"
