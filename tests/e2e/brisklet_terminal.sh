#!/usr/bin/env bash
# brisklet in a real terminal: every line visible before the key, one key
# ends it, nothing echoed or printed after, terminal settings restored.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin/brisklet
t=$E2E_TMP

tmux_start brisklet-e2e bash -c "stty -g >$t/before; '$bin'; echo \$? >$t/rc; stty -g >$t/after; exec sleep 60"
last_line='774. Kapa internet med en ABC80'
wait_for 10 tmux_screen_has brisklet-e2e "$last_line" || fail "the last line never appeared"
# It waits for the key with the terminal in its key mode.
key_mode() { [ "$(tmux_stty brisklet-e2e)" != "$(cat "$t/before")" ]; }
wait_for 10 key_mode || [ -e "$t/rc" ] || fail "the terminal never went into key mode: $(tmux_stty brisklet-e2e)"
[ -e "$t/rc" ] && fail "brisklet ended before any key was pressed"

screen=$(tmux_screen brisklet-e2e | sed -e 's/[[:space:]]*$//')
expected=$(cat "$(dirname "$0")/brisklet_expected.txt")
[ "$(printf '%s\n' "$screen" | head -n 11)" = "$expected" ] || fail "screen before the key is not the eleven lines: $screen"

tmux_keys brisklet-e2e q
wait_for 10 test -s "$t/after" || fail "one key press did not end brisklet"
[ "$(cat "$t/rc")" = 0 ] || fail "exit status $(cat "$t/rc") after the key, expected 0"
cmp -s "$t/before" "$t/after" || fail "terminal settings changed: $(cat "$t/before") -> $(cat "$t/after")"

after=$(tmux_screen brisklet-e2e | sed -e 's/[[:space:]]*$//' | sed -e '/./,$!d' | grep -c .)
[ "$after" -eq 9 ] || fail "the screen holds $after text lines after the key, expected the 9 text lines only (no echo)"
echo "brisklet terminal: ok"
