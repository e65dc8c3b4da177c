# Shared helpers of the end-to-end tests. Source it; every helper that starts a
# process registers it, and e2e_cleanup (run on EXIT) ends them all, so a test
# leaves nothing behind whether it passes or fails.
#
#   xvfb_start [WxHxD [OPTION...]]  private X server on a free display; sets
#                           DISPLAY; OPTIONs go to Xvfb (e.g. -ardelay MS)
#   tmux_start NAME CMD...  run a console program in a detached tmux session
#   tmux_screen NAME        print what the session's screen shows
#   tmux_stty NAME          print the settings of the session's terminal (stty -g)
#   wine_prefix_ensure DIR  create a Wine prefix once (virtual desktop default)
#   wine_env BUILD_DIR      export WINEPREFIX, WINEDEBUG for that build
#   wine_own_prefix BUILD_DIR NAME [WxH]  a prefix of the test's own, ended after
#   wine_run SECS EXE ARGS  run a Win32 exe under Wine with a time limit
#   windows_exe FILE GUI|console  FILE is such an exe (i386, or x86-64 in the
#                           64-bit test build); sets PE_OBJDUMP to read it
#   fail MSG                print MSG and exit 1
#   wait_for SECS CMD...    retry CMD every 0.1 s until it succeeds
#   wait_window SECS TITLE  print the id of the first visible window titled
#                           exactly TITLE, once there is one (fails after SECS)
#   expect_clean_end PID WHAT  after Escape: ends within 10 s with status 0

E2E_PIDS=()
E2E_TMUX=()
E2E_TMP=$(mktemp -d)

e2e_cleanup() {
  local s p
  for s in "${E2E_TMUX[@]}"; do tmux -L "$s" kill-server >/dev/null 2>&1; done
  for p in "${E2E_PIDS[@]}"; do kill "$p" >/dev/null 2>&1; done
  # A shared Wine prefix's server is left to end by itself (tests running in
  # parallel may use it); a prefix the test owns is stopped with everything in it.
  if [ -n "${E2E_WINE_OWNED:-}" ]; then WINEPREFIX=$E2E_WINE_OWNED timeout 20 wineserver -k >/dev/null 2>&1; fi
  for p in "${E2E_PIDS[@]}"; do wait "$p" >/dev/null 2>&1; done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM HUP

fail() { echo "FAIL: $*" >&2; exit 1; }

# A client of the X server waits for as long as the server does not answer
# (a program under test may hold it); each call is given 20 s, so that a
# stuck display fails the step that met it instead of the whole test's time.
xdotool() { timeout 20 xdotool "$@"; }
import() { timeout 20 import "$@"; }

wait_for() {
  local secs=$1; shift
  local end=$((SECONDS + secs))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.1
  done
}

# Only a mapped window counts: a program shows its window once it is set up.
visible_window() { E2E_WINDOW=$(xdotool search --onlyvisible --name "^$1\$" | head -1); [ -n "$E2E_WINDOW" ]; }
wait_window() { wait_for "$1" visible_window "$2" && echo "$E2E_WINDOW"; }

xvfb_start() {
  local geometry=${1:-640x480x24} fifo=$E2E_TMP/displayfd n
  shift $(($# > 0))
  mkfifo "$fifo"
  # Xvfb picks a free display number itself and writes it to the fd.
  # -noreset: the server stays up between two programs run one after another.
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset "$@" 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_PIDS+=("$!")
  read -r -t 15 n <"$fifo" || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
  rm -f "$fifo"
  export DISPLAY=":$n"
  wait_for 10 xdotool getdisplaygeometry || fail "Xvfb on :$n does not answer"
}

tmux_start() {
  local name=$1; shift
  E2E_TMUX+=("$name")
  tmux -L "$name" -f /dev/null new-session -d -s main -x 100 -y 30 "$@"
}
tmux_screen() { tmux -L "$1" capture-pane -p -t main; }
tmux_stty() { stty -g -F "$(tmux -L "$1" display -p -t main '#{pane_tty}')"; }
tmux_keys() { local name=$1; shift; tmux -L "$name" send-keys -t main "$@"; }

. "$(dirname "${BASH_SOURCE[0]}")/lib-wine.sh"

wine_env() {
  export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all
  wine_prefix_ensure "$WINEPREFIX"
}

# wine_own_prefix BUILD_DIR NAME: a prefix of this test's own (one test at a
# time: give the CTest tests a RESOURCE_LOCK of the same name), its server
# kept up for quick repeated starts and stopped at the end.
# A third argument WxH sizes its virtual desktop (640x480 otherwise).
wine_own_prefix() {
  export WINEPREFIX="$1/wineprefix-$2" WINEDEBUG=-all
  wine_prefix_ensure "$WINEPREFIX"
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${3:-640x480}" /f >/dev/null 2>&1
  timeout 30 wineserver -w  # the registry is saved when the server ends
  E2E_WINE_OWNED=$WINEPREFIX
  wineserver -p
}

# expect_clean_end PID WHAT: after Escape, PID ends within 10 s with status 0.
expect_clean_end() {
  local pid=$1 what=$2 status
  wait_for 10 bash -c "! kill -0 $pid" || fail "$what: still running 10 s after Escape"
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || fail "$what: exit status $status after Escape, expected 0"
}

windows_exe() {
  local kind
  kind=$(file -b "$1")
  case $kind in
    "PE32 executable ($2) Intel 80386"*) PE_OBJDUMP=i686-w64-mingw32-objdump ;;
    "PE32+ executable ($2) x86-64"*) PE_OBJDUMP=x86_64-w64-mingw32-objdump ;;
    *) fail "not a Windows $2 exe: $1: $kind" ;;
  esac
}

wine_run() {
  local secs=$1; shift
  timeout -k 5 "$secs" wine "$@"
}
tmux_screen_has() { tmux_screen "$1" | grep -qF -- "$2"; }
