#!/usr/bin/env bash
# ./run.sh PROGRAM [ARGS...]  build the native pack and run one program.
# ./run.sh                    the whole pack as a show, one after another.
# ./run.sh --web              build the web page and serve it on 127.0.0.1
#                             (a free port); prints the address to open.
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
if [ "${1:-}" = --web ]; then
  ensure_web_packages
  build_preset web || exit 1
  echo "Serving build/web/site; open the address below (Ctrl+C stops)." >&2
  exec node web/serve.mjs build/web/site
fi
ensure_packages $PACK_RUN_PACKAGES
build_preset native pack_programs || exit 1

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
