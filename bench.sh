#!/usr/bin/env bash
# ./bench.sh [BENCHMARK ARGS...]  build the benchmarks (Release) and run them.
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_BENCH_PACKAGES
build_preset bench || exit 1
status=0
for b in build/bench/bin/bench_*; do
  [ -x "$b" ] || continue
  "$b" "$@" || status=1
done
exit $status
