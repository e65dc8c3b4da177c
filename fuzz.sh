#!/usr/bin/env bash
# ./fuzz.sh SECONDS  build the fuzz targets (clang, libFuzzer, ASan, UBSan)
# and run each for SECONDS, one after another (FUZZ_JOBS=N runs N at once),
# starting from the seed corpus in tests/fuzz/corpus/<target>/. New inputs go
# to build/fuzz/corpus/<target>/ (the seeds in the repository stay as they
# are), failing inputs to build/fuzz/crashes/. Prints each target's number
# of executions; exits 1 when any target found a failing input.
set -u
cd "$(dirname "$0")"
seconds=${1:-60}
case $seconds in ''|*[!0-9]*) echo "usage: ./fuzz.sh SECONDS" >&2; exit 2 ;; esac
jobs=${FUZZ_JOBS:-1}
. cmake/deps.sh
ensure_packages clang libclang-rt-14-dev
build_preset fuzz || exit 1

out=build/fuzz
mkdir -p "$out/crashes" "$out/logs"
run_target() {
  local name=$1 work=$out/corpus/$1 seeds=tests/fuzz/corpus/$1 log=$out/logs/$1.log
  mkdir -p "$work" "$seeds"
  # -rss_limit_mb: the largest input the targets make is a few megabytes.
  "$out/bin/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=1024 \
    -max_len=8192 -artifact_prefix="$out/crashes/$name-" "$work" "$seeds" >"$log" 2>&1
  local status=$? execs
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ $status -eq 0 ]; then
    echo "fuzz $name: ${execs:-?} executions in $seconds s, nothing found"
  else
    echo "fuzz $name: FAILED after ${execs:-?} executions (log $log):"
    grep -E 'check failed|ERROR:|runtime error|SUMMARY' "$log" | head -n 5
  fi
  return $status
}

status=0
pids=()
while read -r name; do
  [ -n "$name" ] || continue
  run_target "$name" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done <"$out/fuzz_targets.txt"
for p in "${pids[@]}"; do wait "$p" || status=1; done
exit $status
