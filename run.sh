#!/usr/bin/env bash
# ./run.sh PROGRAM [ARGS...]  build the native pack and run one program.
# ./run.sh                    the whole pack as a show, one after another.
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_RUN_PACKAGES
build_preset native || exit 1

bin=build/native/bin
. build/native/programs.sh
if [ $# -gt 0 ]; then
  program=$1; shift
  [ -x "$bin/$program" ] || { echo "run.sh: no program '$program' (have: $(ls "$bin" | grep -v _tests | tr '\n' ' '))" >&2; exit 2; }
  exec "$bin/$program" "$@"
fi

# The show: Escape moves on to the next program.
for program in $PACK_PROGRAMS; do
  [ -x "$bin/$program" ] || continue
  echo "== $program" >&2
  "$bin/$program"
done
