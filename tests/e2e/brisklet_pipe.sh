#!/usr/bin/env bash
# brisklet with standard input from a pipe or from an empty file.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
bin=$build/bin/brisklet
expected=$(dirname "$0")/brisklet_expected.txt

printf 'k' | timeout 10 "$bin" >"$E2E_TMP/out"
rc=$?
[ "$rc" -eq 0 ] || fail "one byte of input: exit status $rc, expected 0"
cmp "$E2E_TMP/out" "$expected" || fail "one byte of input: output differs from the eleven lines"

timeout 10 "$bin" </dev/null >"$E2E_TMP/out"
rc=$?
[ "$rc" -eq 0 ] || fail "empty input: exit status $rc, expected 0 at once"
cmp "$E2E_TMP/out" "$expected" || fail "empty input: output differs from the eleven lines"
echo "brisklet pipe and empty input: ok"

# Output that cannot be written (a full disk): status 1 and one line saying so.
timeout 10 "$bin" </dev/null >/dev/full 2>"$E2E_TMP/err"
rc=$?
[ "$rc" -eq 1 ] || fail "output to a full disk: exit status $rc, expected 1"
[ "$(wc -l <"$E2E_TMP/err")" -eq 1 ] && grep -q 'No space left' "$E2E_TMP/err" ||
  fail "output to a full disk: expected one line on stderr: $(cat "$E2E_TMP/err")"
echo "brisklet to a full disk: ok"
