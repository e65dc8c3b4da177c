#!/usr/bin/env bash
# brisklet.exe under Wine prints the same eleven lines (line ends aside).
set -u
. "$(dirname "$0")/lib.sh"
build=$1
wine_env "$build"
exe=$build/bin/brisklet.exe
windows_exe "$exe" console

printf 'k' | wine_run 60 "$exe" >"$E2E_TMP/out"
rc=$?
[ "$rc" -eq 0 ] || fail "exit status $rc, expected 0"
tr -d '\r' <"$E2E_TMP/out" | cmp - "$(dirname "$0")/brisklet_expected.txt" || fail "output differs: $(cat -A "$E2E_TMP/out")"
echo "brisklet under Wine: ok"
