#!/usr/bin/env bash
# The stand-in winmm.dll drives an exe's clock: start value, steps, the wrap.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
wine_env "$build"
dir=$E2E_TMP/app
mkdir -p "$dir"
cp "$build/bin/clock_probe.exe" "$build/fakes/winmm.dll" "$dir/"

readings=$(cd "$dir" && WINEDLLOVERRIDES=winmm=n,b FAKE_WINMM_START=4294967290 FAKE_WINMM_STEP=3 \
  wine_run 60 ./clock_probe.exe | tr -d '\r' | tr '\n' ' ')
[ "$readings" = "4294967290 4294967293 0 3 " ] || fail "stepped clock across the wrap read: $readings"

readings=$(cd "$dir" && WINEDLLOVERRIDES=winmm=n,b FAKE_WINMM_START=1000 wine_run 60 ./clock_probe.exe | tr -d '\r')
first=$(echo "$readings" | head -n 1)
[ "$first" -ge 1000 ] && [ "$first" -lt 1100 ] || fail "real-time clock from 1000 read: $readings"
echo "fake winmm clock: ok"
