#!/usr/bin/env bash
# One program's frame loop on a private X server, under Valgrind memcheck:
# it shows its frames for a few seconds, ends with status 0 on Escape, and
# Valgrind finds no invalid access, no use of uninitialised values and no
# definite leak. Usage: valgrind_frame_loop.sh BUILD_DIR PROGRAM
set -u
. "$(dirname "$0")/lib.sh"
build=$1 program=$2
xvfb_start 640x480x24
report=$E2E_TMP/valgrind.txt
# Invalid accesses and uses of uninitialised values count, and definite
# leaks, except those of D-Bus and OpenGL (valgrind-system.supp). SDL's
# software renderer keeps the OpenGL driver, and its noise, out of the run.
SDL_RENDER_DRIVER=software valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --track-origins=no --keep-debuginfo=yes --log-file="$report" \
  --suppressions="$(dirname "$0")/../reliability/valgrind-system.supp" \
  "$build/bin/$program" 2>"$E2E_TMP/err" &
pid=$!
E2E_PIDS+=("$pid")
title=Velkrant
[ "$program" = fennick ] && title=Morkelbrand
wait_window 90 "$title" >/dev/null || fail "no window titled $title: $(tail -n 20 "$report")"
# Frames on screen: the picture changes, and changes again (Valgrind makes
# a frame take a second or more).
picture() { convert x:root -scale 64x48 -format '%#' info:; }
changed_twice() {
  local now
  now=$(picture)
  [ "$now" != "$last" ] && changes=$((changes + 1))
  last=$now
  [ $changes -ge 2 ]
}
changes=0 last=$(picture)
wait_for 150 changed_twice || { import -window root "$build/valgrind-$program-failed.png"; fail "the picture changed $changes times in 150 s under Valgrind (kept as $build/valgrind-$program-failed.png)"; }
# Escape to its window, again every few seconds: a pass takes long here.
end=$((SECONDS + 90))
while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $end ]; do
  window=$(wait_window 5 "$title") && xdotool windowfocus "$window" 2>/dev/null
  xdotool key Escape 2>/dev/null
  wait_for 5 bash -c "! kill -0 $pid"
done
kill -0 "$pid" 2>/dev/null && fail "$program did not end within 90 s of Escape"
wait "$pid"
status=$?
grep -q "Command: $build/bin/$program" "$report" || fail "Valgrind did not run $program: $(head -n 20 "$report")"
grep -E 'ERROR SUMMARY|definitely lost|Invalid|uninitialised' "$report" | sed 's/^==[0-9]*== //' | sort | uniq -c | head -20
[ "$status" -eq 0 ] || fail "$program under Valgrind: status $status: $(grep -A 12 -E 'Invalid|uninitialised|definitely lost in' "$report" | head -60)"
echo "$program: frame loop clean under Valgrind memcheck"
