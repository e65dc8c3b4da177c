#!/usr/bin/env bash
# ./test.sh  install what is missing, build every target, run every test:
# native unit and end-to-end tests, the unit tests under sanitizers, a short
# run of every fuzz target, the web page in headless Chromium, then the Win32
# tests under Wine: against the shipped i686 build where this machine runs
# 32-bit programs, else against the 64-bit test build (PACK_WINDOWS_TESTS=win32
# or win64 chooses).
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_TEST_PACKAGES
ensure_i386_packages
ensure_web_packages

start=$SECONDS
build_preset native || exit 1
build_preset win32 || exit 1
build_preset win64 || exit 1
build_preset web || exit 1
build_preset asan || exit 1
build_preset fuzz || exit 1
echo "Built every target in $((SECONDS - start)) s" >&2

status=0
jobs=$(nproc)
ctest --test-dir build/native -j "$jobs" --output-on-failure --timeout 600 || status=1
# The unit tests again under AddressSanitizer and UBSan.
ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600 -LE e2e || status=1
# Each fuzz target for 15 s on its seed corpus, two at a time.
FUZZ_JOBS=2 ./fuzz.sh 15 || status=1
# The page in headless Chromium, its still frames against the native ones.
ctest --test-dir build/web --output-on-failure --timeout 600 || status=1
# The Windows tests under Wine last, so that CTest's summary ends the output.
. tests/e2e/lib-wine.sh
windows=${PACK_WINDOWS_TESTS:-}
if [ -n "$windows" ]; then
  why="chosen by PACK_WINDOWS_TESTS"
elif ! kernel_runs_32bit; then
  windows=win64 why=$PACK_32BIT_WHY
elif [ -n "$PACK_I386_FAILED" ]; then
  windows=win64 why="32-bit Wine is missing: $PACK_I386_FAILED"
elif wine32_runs; then
  windows=win32 why="this machine runs 32-bit programs"
else
  windows=win64 why="Wine's 32-bit loader does not start: $WINE32_ERROR"
fi
case $windows in
  win32)
    echo "Windows tests: against build/win32, the shipped i686 files: $why" >&2
    ctest --test-dir build/win32 -j "$jobs" --output-on-failure --timeout 600 || status=1 ;;
  win64)
    echo "Windows tests: against build/win64, the 64-bit test build: $why; the checks of the shipped i686 files from build/win32" >&2
    ctest --test-dir build/win32 -L shipped -j "$jobs" --output-on-failure --timeout 600 || status=1
    # A skipped test says why on a line of its own.
    grep -h '^skipped: ' build/win32/Testing/Temporary/LastTest.log >&2
    ctest --test-dir build/win64 -j "$jobs" --output-on-failure --timeout 600 || status=1 ;;
  *) echo "PACK_WINDOWS_TESTS must be win32 or win64, not '$windows'" >&2; exit 2 ;;
esac
[ $status -eq 0 ] || echo "Some tests failed (see above)." >&2
exit $status
