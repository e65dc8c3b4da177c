#!/usr/bin/env bash
# splines2.exe under Wine's own DirectDraw, its clock (the stand-in winmm.dll)
# started 10 s before the 32-bit count wraps and running at the real pace:
# its counter reads "Splines: 6" before the wrap (4.8 ... 9.6 s) and
# "Splines: 8" after it (9.6 ... 14.4 s), never falling back to 4 as it
# would if its timeline restarted at the wrap. The counter area is compared
# with the native program's frames at 1, 7 and 12 s (splines2_counter_*.png).
set -u
. "$(dirname "$0")/lib.sh"
build=$1
here=$(dirname "$0")
xvfb_start 640x480x24
wine_own_prefix "$build" reliability
app=$E2E_TMP/app
mkdir -p "$app"
cp "$build/bin/splines2.exe" "$build/fakes/winmm.dll" "$app/"
WINEDLLOVERRIDES="winmm=n,b" FAKE_WINMM_START=$((4294967296 - 10000)) \
  timeout -k 5 90 wine "$app/splines2.exe" &
pid=$!
E2E_PIDS+=("$pid")

# counter FILE: 4, 6 or 8 when the counter area shows that count; else -.
counter() {
  convert "$1" -crop 74x18+0+0 +repage "$1.counter.png" 2>/dev/null || { echo -; return; }
  local n
  for n in 4 6 8; do
    [ "$(compare -metric AE "$1.counter.png" "$here/splines2_counter_$n.png" null: 2>&1)" = 0 ] && { echo "$n"; return; }
  done
  echo -
}
# The clock starts with the scene loop, just before the first frame.
shot=$E2E_TMP/shot.png
wait_for 60 bash -c "import -window root $shot 2>/dev/null && [ \"\$(convert $shot -crop 74x18+0+0 +repage miff:- | compare -metric AE - $here/splines2_counter_4.png null: 2>&1)\" = 0 ]" ||
  fail "the first counter \"Splines: 4\" never appeared"
t0=$SECONDS
# seen FROM TO: the counts read from screenshots taken in that span of
# seconds after the first frame.
seen() {
  local counts="" i=0
  while [ $((SECONDS - t0)) -lt "$1" ]; do sleep 0.2; done
  while [ $((SECONDS - t0)) -lt "$2" ]; do
    import -window root "$E2E_TMP/s$i.png" 2>/dev/null && counts+="$(counter "$E2E_TMP/s$i.png") "
    i=$((i + 1))
    sleep 0.3
  done
  echo "$counts"
}
before=$(seen 6 9)
after=$(seen 11 14)
echo "counter before the wrap: $before; after it: $after"
grep -qw 6 <<<"$before" || fail "\"Splines: 6\" not seen before the wrap: $before"
grep -qw 8 <<<"$after" || fail "\"Splines: 8\" not seen after the wrap: $after"
grep -qw 4 <<<"$after" && fail "the counter fell back to 4 after the wrap: $after"
kill -0 "$pid" 2>/dev/null || fail "splines2 ended early"
window=$(wait_window 10 Velkrant) || fail "no window titled Velkrant"
xdotool key --window "$window" Escape 2>/dev/null
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "status $status after Escape"
echo "splines2.exe across the wrap: the counter went on from 6 to 8; ok"
