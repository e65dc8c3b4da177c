#!/usr/bin/env bash
# ./bench.sh [BENCHMARK ARGS...]  build the benchmarks (Release) and run them.
# The arguments go to every benchmark program as they are. Without a
# --benchmark_repetitions of the caller's, each benchmark runs 5 times and
# only the aggregates (mean, median, stddev, cv) are printed.
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_BENCH_PACKAGES
build_preset bench || exit 1
args=("$@")
case " $* " in
  *" --benchmark_repetitions"*) ;;
  *) args+=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true) ;;
esac
status=0
for b in build/bench/bin/bench_*; do
  [ -x "$b" ] || continue
  "$b" "${args[@]}" || status=1
done
exit $status
