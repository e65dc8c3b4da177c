#!/usr/bin/env bash
# brisklet started from an interactive shell in a real terminal: an arrow key
# (three bytes) ends it and leaves nothing for the shell's prompt; stopped
# with Ctrl-Z and brought back with fg it reads one key unechoed again, ends
# with status 0, and the terminal's settings are as before.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin/brisklet
t=$E2E_TMP
last_line='774. Kapa internet med en ABC80'

tmux_start brisklet-shell env PS1='prompt$ ' bash --norc --noprofile -i
wait_for 10 tmux_screen_has brisklet-shell 'prompt$' || fail "no shell prompt"
type_line() { tmux_keys brisklet-shell -l "$1"; tmux_keys brisklet-shell Enter; }

# 1. Up arrow: the shell's next command line starts clean.
type_line "clear; '$bin'"
wait_for 10 tmux_screen_has brisklet-shell "$last_line" || fail "brisklet did not start"
tmux_keys brisklet-shell Up
# The shell waits at an empty prompt: the screen's last text line.
prompt_back() { [ "$(tmux_screen brisklet-shell | grep . | tail -1)" = 'prompt$' ]; }
wait_for 10 prompt_back || fail "after Up, no empty prompt (brisklet still running, or bytes left at the prompt): $(tmux_screen brisklet-shell)"
type_line 'echo "clean-$((20 + 22))"'
wait_for 10 tmux_screen_has brisklet-shell clean-42 ||
  fail "the rest of the arrow key reached the shell: $(tmux_screen brisklet-shell)"
grep -qF '[A' <(tmux_screen brisklet-shell) && fail "'[A' left at the prompt: $(tmux_screen brisklet-shell)"

# 2. Ctrl-Z, fg, then one key. The screen still shows the first run's lines
# until `clear` has run: "run-2" (typed as a sum) comes only after it.
# brisklet is then waited for in front, in its key mode, as after fg below.
key_mode() {
  [ "$(tmux -L brisklet-shell display -p -t main '#{pane_current_command}')" = brisklet ] &&
    [ "$(tmux_stty brisklet-shell)" != "$(cat "$t/before")" ]
}
type_line "clear; stty -g >$t/before; echo \"run-\$((1 + 1))\"; '$bin'"
wait_for 10 tmux_screen_has brisklet-shell run-2 && wait_for 10 tmux_screen_has brisklet-shell "$last_line" &&
  wait_for 10 key_mode || fail "brisklet did not start again: $(tmux_screen brisklet-shell)"
tmux_keys brisklet-shell C-z
wait_for 10 tmux_screen_has brisklet-shell Stopped || fail "Ctrl-Z did not stop brisklet: $(tmux_screen brisklet-shell)"
type_line "stty -g >$t/stopped"
wait_for 10 test -s "$t/stopped" || fail "no shell after Ctrl-Z: $(tmux_screen brisklet-shell)"
cmp -s "$t/before" "$t/stopped" || fail "while stopped the terminal is not as before: $(cat "$t/stopped")"
type_line fg
# In front again, brisklet sets its key mode again before it reads.
wait_for 10 key_mode || fail "after fg, the terminal is not in brisklet's key mode: $(tmux_stty brisklet-shell)"
tmux_keys brisklet-shell q
wait_for 10 prompt_back || fail "one key after fg did not end brisklet: $(tmux_screen brisklet-shell)"
type_line "echo \"status-\$?\"; stty -g >$t/after"
wait_for 10 test -s "$t/after" || fail "no shell after brisklet: $(tmux_screen brisklet-shell)"
tmux_screen_has brisklet-shell status-0 || fail "exit status after fg and a key is not 0: $(tmux_screen brisklet-shell)"
grep -q '^q' <(tmux_screen brisklet-shell) && fail "the key after fg was echoed: $(tmux_screen brisklet-shell)"
cmp -s "$t/before" "$t/after" || fail "terminal settings changed: $(cat "$t/before") -> $(cat "$t/after")"
echo "brisklet from a shell: arrow key, Ctrl-Z and fg: ok"
