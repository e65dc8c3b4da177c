#!/usr/bin/env bash
# ./soak.sh  each native graphics program for its whole show, all at once,
# each on a private X server: the fullscreen ones (curves, splines,
# splines2) until they end by themselves (288 s), fennick for 5 minutes,
# then Escape. The resident
# memory of each is sampled every 5 s; a program fails when its memory after
# the first 10 s rises above what it was at 10 s (by more than SOAK_SLACK_KB,
# default 256, for the allocator's page-sized steps) or when it does not end
# with status 0. Builds the native target first. Not part of ./test.sh.
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_TEST_PACKAGES
build_preset native || exit 1
root=$PWD
. build/native/programs.sh
slack=${SOAK_SLACK_KB:-256}
results=$(mktemp -d)

# soak_one PROGRAM: runs in a subshell of its own (own X server, own clean-up).
soak_one() (
  program=$1
  . "$root/tests/e2e/lib.sh"
  xvfb_start 640x480x24
  samples=$results/$program.samples
  "$root/build/native/bin/$program" 2>"$results/$program.err" &
  pid=$!
  E2E_PIDS+=("$pid")
  begin=$SECONDS
  show=288
  [ "$program" = fennick ] && show=300
  while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    [ -n "$rss" ] && echo "$((SECONDS - begin)) $rss" >>"$samples"
    if [ "$program" = fennick ] && [ $((SECONDS - begin)) -ge $show ]; then
      window=$(xdotool search --onlyvisible --name '^Morkelbrand$' | head -1)
      xdotool windowfocus "$window" 2>/dev/null
      xdotool key Escape
      sleep 1
      continue
    fi
    [ $((SECONDS - begin)) -gt $((show + 60)) ] && { echo "did not end" >"$results/$program.verdict"; kill "$pid"; }
    sleep 5
  done
  wait "$pid"
  echo "$? $((SECONDS - begin))" >"$results/$program.status"
)

programs=$PACK_GRAPHICS_PROGRAMS
for p in $programs; do soak_one "$p" & done
wait

status=0
for p in $programs; do
  read -r code lasted <"$results/$p.status"
  at10=$(awk '$1 >= 10 { print $2; exit }' "$results/$p.samples")
  last=$(tail -n 1 "$results/$p.samples" | awk '{ print $2 }')
  highest=$(awk '$1 >= 10 && $2 > m { m = $2 } END { print m + 0 }' "$results/$p.samples")
  verdict=ok
  [ "$code" -eq 0 ] || verdict="exit status $code"
  [ -z "$at10" ] && verdict="no sample after 10 s"
  [ -n "$at10" ] && [ "$highest" -gt $((at10 + slack)) ] && verdict="memory grew from $at10 KiB to $highest KiB"
  [ -s "$results/$p.verdict" ] && verdict=$(cat "$results/$p.verdict")
  printf '%-9s ran %3d s, resident %6s KiB at 10 s, %6s KiB at its end, highest after 10 s %6s KiB: %s\n' \
    "$p" "$lasted" "${at10:-?}" "${last:-?}" "$highest" "$verdict"
  [ "$verdict" = ok ] || status=1
done
rm -rf "$results"
exit $status
