#!/usr/bin/env bash
# A fullscreen exe under Wine on the stand-in clock (tests/fakes/fake_winmm.c)
# and the test DirectDraw library, which records its calls:
#   natural_end  the clock runs 80 times fast: the show ends by itself after
#                its 18000 ticks (288 s of clock, so never before 3.6 s of
#                real time), status 0, closing in order with the mode
#                restored and the screen saver back on;
#   wrap         the clock starts 10 s before the 32-bit count wraps and runs
#                40 times fast: frames go on past the wrap (a quarter of a
#                second in), the show still lasts its whole 288 s of clock
#                (no early end: at least 7.2 s real) and ends the same way.
# Usage: wine_clock_fullscreen.sh BUILD_DIR PROGRAM natural_end|wrap
set -u
. "$(dirname "$0")/lib.sh"
build=$1 program=$2 mode=$3
xvfb_start 640x480x24
wine_own_prefix "$build" reliability

app=$E2E_TMP/app
mkdir -p "$app"
cp "$build/bin/$program.exe" "$build/fake_ddraw/ddraw.dll" "$build/fakes/winmm.dll" "$app/"
log=$E2E_TMP/calls.log
: >"$log"

case $mode in
  natural_end) clock=(FAKE_WINMM_SPEED=80) shortest_ms=3600 ;;
  wrap) clock=(FAKE_WINMM_START=$((4294967296 - 10000)) FAKE_WINMM_SPEED=40) shortest_ms=7200 ;;
  *) fail "unknown mode $mode" ;;
esac

now_ms() { echo $(($(date +%s%N) / 1000000)); }
seconds() { printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)); }
begin=$(now_ms)
env WINEDLLOVERRIDES="ddraw=n,b;winmm=n,b" FAKE_DDRAW_LOG="$log" "${clock[@]}" \
  timeout -k 5 120 wine "$app/$program.exe" &
pid=$!
E2E_PIDS+=("$pid")
# The stand-in clock starts at the program's first reading. A second after
# the first frame the count has wrapped (in the wrap case); flips go on.
flips_after() { sleep "$1"; grep -c '^Flip primary' "$log"; }
wait_for 60 grep -q '^Flip primary' "$log"
flips_early=$(flips_after 1)
wait "$pid"
status=$?
elapsed_ms=$(($(now_ms) - begin))
elapsed=$(seconds "$elapsed_ms")
flips=$(grep -c '^Flip primary' "$log")
echo "$program $mode: status $status after $elapsed s, $flips_early flips in the first second, $flips in all"

[ "$status" -eq 0 ] || fail "status $status, expected 0"
[ "$elapsed_ms" -ge "$shortest_ms" ] || fail "ended after $elapsed s, before its $(seconds "$shortest_ms") s"
[ "$flips_early" -gt 0 ] || fail "no frame shown"
[ "$flips" -gt "$flips_early" ] || fail "no frame shown after the first second"
grep -q '^ExitProcess' "$log" && fail "ended through ExitProcess, not the end of its scene loop"
# The last lines can reach the log a moment after Wine reports the exit.
wait_for 10 bash -c "[ \"\$(tail -n 1 $log)\" = 'SystemParametersInfoA 17 1 null 0' ]"
closing=("Release primary" "RestoreDisplayMode" "SetCooperativeLevel window=framework-window flags=0x8"
  "Release ddraw" "DestroyWindow framework-window" "FreeLibrary ddraw" "SystemParametersInfoA 17 1 null 0")
[ "$(tail -n ${#closing[@]} "$log")" = "$(printf '%s\n' "${closing[@]}")" ] ||
  fail "closing calls differ: $(tail -n 10 "$log")"
echo "$program $mode: ok"
