#!/usr/bin/env bash
# ./test.sh  install what is missing, build every target, run every test:
# native unit and end-to-end tests, the unit tests under sanitizers, a short
# run of every fuzz target, the web page in headless Chromium, then the Win32
# tests under Wine.
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_TEST_PACKAGES
ensure_web_packages

start=$SECONDS
build_preset native || exit 1
build_preset win32 || exit 1
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
# The Win32 tests under Wine last, so that CTest's summary ends the output.
ctest --test-dir build/win32 -j "$jobs" --output-on-failure --timeout 600 || status=1
[ $status -eq 0 ] || echo "Some tests failed (see above)." >&2
exit $status
