#!/usr/bin/env bash
# Focus loss on the Win32 exe under Wine, with the test DirectDraw library
# recording the calls: after WM_ACTIVATEAPP with wParam 0 (posted from
# outside, as the system does when another program takes the screen) the
# program neither restores, locks nor flips, and sleeps 1 ms per pass; after
# WM_ACTIVATEAPP with wParam 1 it locks and flips again; Escape then ends it
# with status 0 and the display closed. Usage: focus_wine.sh BUILD_DIR PROGRAM
set -u
. "$(dirname "$0")/lib.sh"
build=$1 program=$2
xvfb_start 640x480x24
wine_own_prefix "$build" reliability
app=$E2E_TMP/app
mkdir -p "$app"
cp "$build/bin/$program.exe" "$build/fake_ddraw/ddraw.dll" "$build/test-bin/post_message.exe" "$app/"
log=$E2E_TMP/calls.log
: >"$log"
WINEDLLOVERRIDES="ddraw=n,b" FAKE_DDRAW_LOG="$log" timeout -k 5 120 wine "$app/$program.exe" &
pid=$!
E2E_PIDS+=("$pid")
# A start of Wine on a busy machine may fail by itself: tried again for 30 s
# (each message means the same taken twice).
post() { wait_for 30 timeout 20 wine "$app/post_message.exe" Velkrant "$1" || fail "could not post $1 in 30 s"; }
lines() { wc -l <"$log"; }
# between FROM TO: the log's lines FROM+1 ... TO
between() { sed -n "$(($1 + 1)),$2p" "$log"; }
# slept_after LINE: a 1-ms sleep in the log after that line
slept_after() { between "$1" '$' | grep -q '^Sleep 1$'; }
# lines_for SECS: the log's lines from now to SECS later, as from and to
lines_for() { from=$(lines); sleep "$1"; to=$(lines); }

wait_for 60 grep -q '^Flip primary' "$log" || fail "no frame flipped: $(tail -n 5 "$log")"
posted=$(lines)
post inactive
# The message is taken at the next pass, which then sleeps.
wait_for 20 slept_after "$posted" || fail "no 1-ms sleep after the message: $(tail -n 5 "$log")"
lines_for 2
inactive=$(between "$from" "$to")
sleeps=$(grep -c '^Sleep 1$' <<<"$inactive")
echo "inactive for 2 s: $sleeps passes with Sleep 1, $(grep -c '^Lock' <<<"$inactive") locks, $(grep -c '^Flip' <<<"$inactive") flips"
[ "$sleeps" -gt 100 ] || fail "only $sleeps 1-ms sleeps in 2 s while inactive"
grep -qE '^(Restore|Lock|Unlock|Flip)' <<<"$inactive" && fail "drew while inactive: $(grep -m 3 -E '^(Restore|Lock|Flip)' <<<"$inactive")"
grep -qvE '^Sleep 1$' <<<"$inactive" && fail "unexpected calls while inactive: $(grep -m 3 -vE '^Sleep 1$' <<<"$inactive")"

post active
wait_for 10 bash -c "[ \$(sed -n '$((to + 1)),\$p' $log | grep -c '^Flip primary') -gt 5 ]" || fail "no flips after becoming active again"
post escape
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "status $status after Escape"
# The last lines can reach the log a moment after Wine reports the exit.
closing=("Release primary" "RestoreDisplayMode" "SetCooperativeLevel window=framework-window flags=0x8"
  "Release ddraw" "DestroyWindow framework-window" "FreeLibrary ddraw" "SystemParametersInfoA 17 1 null 0"
  "ExitProcess 0")
wait_for 10 bash -c "[ \"\$(tail -n 1 $log)\" = 'ExitProcess 0' ]"
[ "$(tail -n ${#closing[@]} "$log")" = "$(printf '%s\n' "${closing[@]}")" ] ||
  fail "display not closed in order: $(tail -n 10 "$log")"
echo "$program under Wine: focus loss and return: ok"
