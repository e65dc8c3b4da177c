#!/usr/bin/env bash
# Focus loss on the native build, on a bare Xvfb: a fullscreen program whose
# window is unmapped (hidden, as minimizing does) stops locking and
# presenting, sleeps 1 ms per pass and uses well under one core; mapped
# again it locks, presents and changes its picture again. The focus given to
# another window (as Alt+Tab does) stops presents the same way, and giving
# it back starts them again; in --window mode the picture keeps running
# without the focus. Escape then ends it with status 0. Its SDL calls are counted by a preloaded library
# (sdl_call_counter.c). Usage: focus_native.sh BUILD_DIR PROGRAM
set -u
. "$(dirname "$0")/lib.sh"
build=$1 program=$2
xvfb_start 640x480x24
counts=$E2E_TMP/counts
# Started directly (not under timeout), so that $pid is the program's own
# process for its CPU time; the clean-up ends it if the test fails.
LD_PRELOAD=$build/test-bin/libsdl_call_counter.so SDL_CALL_COUNTER_FILE=$counts \
  "$build/bin/$program" 2>"$E2E_TMP/err" &
pid=$!
E2E_PIDS+=("$pid")

read_counts() { read -r locks presents delays <"$counts"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
# cpu_share SECONDS: the program's CPU use over that time, in cores.
cpu_share() {
  local before after
  before=$(cpu_ticks); sleep "$1"; after=$(cpu_ticks)
  awk -v ticks=$((after - before)) -v hz="$hz" -v secs="$1" 'BEGIN { printf "%.3f\n", ticks / hz / secs }'
}
# Inactive: since the last look at the counts no present, and 1-ms sleeps.
went_inactive() {
  local p=$presents d=$delays
  read_counts
  [ "$presents" -eq "$p" ] && [ $((delays - d)) -ge 5 ]
}

wait_for 20 bash -c "[ -s $counts ] && [ \$(awk '{print \$2}' $counts) -gt 10 ]" || fail "no frames presented"
window=$(wait_window 20 Velkrant) || fail "no visible window titled Velkrant"
active_cpu=$(cpu_share 2)

xdotool windowunmap --sync "$window"
read_counts; hidden_at=$presents
wait_for 20 went_inactive || fail "presented $((presents - hidden_at)) times in 20 s while hidden"
read_counts; locks0=$locks presents0=$presents delays0=$delays
inactive_cpu=$(cpu_share 3)
read_counts
echo "active: $active_cpu cores; hidden: $inactive_cpu cores, $((locks - locks0)) locks, $((presents - presents0)) presents, $((delays - delays0)) 1-ms sleeps in 3 s"
[ "$locks" -eq "$locks0" ] || fail "locked $((locks - locks0)) times while hidden"
[ "$presents" -eq "$presents0" ] || fail "presented $((presents - presents0)) times while hidden"
[ $((delays - delays0)) -gt 100 ] || fail "only $((delays - delays0)) 1-ms sleeps in 3 s while hidden"
awk -v cores="$inactive_cpu" 'BEGIN { exit !(cores < 0.5) }' || fail "hidden, it still uses $inactive_cpu cores"

xdotool windowmap --sync "$window"
wait_for 10 bash -c "[ \$(awk '{print \$2}' $counts) -gt $((presents + 10)) ]" || fail "no frames after mapping again"
read_counts
[ "$locks" -gt "$locks0" ] || fail "no lock after mapping again"
first=$(convert x:root -scale 64x40 -format '%#' info:)
wait_for 10 bash -c "[ \"\$(convert x:root -scale 64x40 -format '%#' info:)\" != $first ]" ||
  fail "the picture stands still after mapping again"

# Another window: fennick's, which the focus goes to and back from.
"$build/bin/fennick" 2>/dev/null &
E2E_PIDS+=("$!")
other=$(wait_window 20 Morkelbrand) || fail "no other window to give the focus to"
presents_grow() { local before=$1; sleep 1; read_counts; [ "$presents" -gt "$before" ]; }
xdotool windowfocus --sync "$window"
read_counts; wait_for 10 presents_grow "$presents" || fail "no presents with the focus"
xdotool windowfocus --sync "$other"
read_counts; unfocused_at=$presents
wait_for 20 went_inactive || fail "fullscreen, it presented $((presents - unfocused_at)) frames in 20 s without the focus"
read_counts; before=$presents
presents_grow "$before" && fail "fullscreen, it presented $((presents - before)) frames in 1 s without the focus"
xdotool windowfocus --sync "$window"
wait_for 10 presents_grow "$presents" || fail "no presents after the focus came back"
echo "$program: fullscreen without the focus presents nothing: ok"

xdotool windowfocus "$window" 2>/dev/null
xdotool key Escape
wait_for 10 bash -c "! kill -0 $pid" || fail "still running 10 s after Escape"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "status $status after Escape: $(cat "$E2E_TMP/err")"
echo "$program: focus loss and return: ok"

# In a window the picture goes on without the focus.
LD_PRELOAD=$build/test-bin/libsdl_call_counter.so SDL_CALL_COUNTER_FILE=$counts \
  "$build/bin/$program" --window 2>"$E2E_TMP/err" &
E2E_PIDS+=("$!")
wait_for 20 bash -c "[ \$(awk '{print \$2}' $counts) -gt 10 ]" || fail "--window: no frames presented"
window=$(wait_window 20 Velkrant) || fail "--window: no visible window titled Velkrant"
xdotool windowfocus --sync "$window" windowfocus --sync "$other"
# It presents in each of two seconds (the focus-lost event arriving in the first).
read_counts
presents_grow "$presents" && presents_grow "$presents" || fail "--window: no presents without the focus"
echo "$program: a window without the focus keeps running: ok"
