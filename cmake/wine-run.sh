#!/usr/bin/env bash
# Runs a Win32 test exe under Wine: private prefix beside the build's bin/,
# no debug output, and a time limit (a crash would otherwise start a debugger
# that waits for ever). The exe's exit status is passed through.
exe=$1
bin=$(cd "$(dirname "$exe")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(dirname "$bin")/wineprefix}
export WINEDEBUG=-all
. "$(dirname "$0")/../tests/e2e/lib-wine.sh"
wine_prefix_ensure "$WINEPREFIX"
exec timeout -k 5 "${WINE_TIMEOUT:-300}" wine "$@"
