#!/usr/bin/env bash
# frames_wine.sh BUILD NATIVE_BIN: the Win32 command line under Wine.
# - `--frame MS FILE.bmp` of curves.exe and fennick.exe gives, pixel for
#   pixel, the native build's `--frame MS FILE.png` at times that reach the
#   x87's rounding (fennick at days and at the wrap of the clock, curves at
#   a flash frame and at its last frame);
# - --help prints the Win32 usage to the console it was started from;
# - a bad option ends with status 2 and one line on stderr.
set -u
. "$(dirname "$0")/lib.sh"
build=$1 native=$2
[ -x "$native/curves" ] && [ -x "$native/fennick" ] ||
  fail "the native programs are not built in $native (the comparison needs both builds)"
wine_env "$build"

compare_frame() {  # compare_frame PROGRAM MS
  local png=$E2E_TMP/$1-$2.png bmp=$E2E_TMP/$1-$2.bmp differing
  "$native/$1" --frame "$2" "$png" || fail "native $1 --frame $2 failed"
  (cd "$E2E_TMP" && wine_run 120 "$build/bin/$1.exe" --frame "$2" "$1-$2.bmp") || fail "$1.exe --frame $2 failed"
  [ "$(head -c 2 "$bmp")" = BM ] || fail "$1.exe --frame $2 did not write a BMP"
  differing=$(compare -metric AE "$bmp" "$png" null: 2>&1)
  [ "$differing" = 0 ] || fail "$1 at $2 ms: $differing pixels differ between Win32 and native"
}
for ms in 0 3000 86400000 123456789 4294967295; do compare_frame fennick "$ms"; done
for ms in 8000 150017 123456 287999; do compare_frame curves "$ms"; done
echo "--frame: fennick.exe at 5 times and curves.exe at 4 times equal the native frames"

help=$(wine_run 60 "$build/bin/curves.exe" --help | tr -d '\r') || fail "--help: status $?"
grep -q -- '--frame MS FILE.bmp' <<<"$help" && grep -q -- '--quiet' <<<"$help" ||
  fail "--help does not show the Win32 usage: $help"

wine_run 60 "$build/bin/curves.exe" --record x.mkv --seconds 1 >"$E2E_TMP/out" 2>"$E2E_TMP/err"
status=$?
err=$(tr -d '\r' <"$E2E_TMP/err")
[ "$status" -eq 2 ] || fail "--record: status $status, expected 2"
[ "$err" = "curves: --record is not available in this build (try 'curves --help')" ] || fail "--record: stderr '$err'"
echo "--help shows the Win32 usage; --record: status 2 and one line"
