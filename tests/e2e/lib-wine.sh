# Wine prefix set-up, shared by the end-to-end helpers and the CTest emulator,
# and the test of whether this machine runs 32-bit programs.

# wine32_runs: true when Wine's 32-bit loader starts here. A kernel without
# 32-bit emulation refuses it ("Exec format error"); WINE32_ERROR then holds
# what the attempt said.
wine32_runs() {
  WINE32_ERROR=$(/usr/lib/wine/wine --version 2>&1 >/dev/null) && return 0
  WINE32_ERROR=${WINE32_ERROR##*: }
  WINE32_ERROR=${WINE32_ERROR:-it did not start}
  return 1
}

# Prefix shared by all Wine runs of one build; made once under a lock so that
# parallel tests do not race to create it.
wine_prefix_ensure() {
  local prefix=$1
  mkdir -p "$prefix"
  (
    flock -w 300 9 || { echo "the Wine prefix $prefix stayed locked for 5 minutes" >&2; exit 1; }
    [ -f "$prefix/.pack-ready" ] && exit 0
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    timeout 120 wineboot -i >/dev/null 2>&1 || true
    # A virtual desktop is where mode switches work; make it the default so a
    # plain `wine PROG.exe` runs inside it and keeps the exit status. Only a
    # prefix that took both settings is marked ready (a Wine that could not
    # start leaves it to be made again next time).
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
      timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 640x480 /f >/dev/null 2>&1
    set_status=$?
    timeout 30 wineserver -w >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1
    if [ "$set_status" -eq 0 ]; then touch "$prefix/.pack-ready"; fi
  ) 9>"$prefix.lock"
}

