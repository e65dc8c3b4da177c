#!/usr/bin/env bash
# run_page_tests.sh SITE NATIVE_BIN WORK: the page's tests in Debian's
# headless Chromium. Installs puppeteer-core (never a browser) into WORK,
# draws the reference frames with the native programs, serves SITE on
# 127.0.0.1 and runs the page_*.test.cjs files with node's test runner.
set -u
site=$1 native_bin=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)

[ -x /usr/bin/chromium ] || { echo "Debian's chromium is not installed" >&2; exit 1; }
mkdir -p "$work/npm" "$work/reference" "$work/page"
if ! cmp -s "$here/package-lock.json" "$work/npm/package-lock.json" || [ ! -d "$work/npm/node_modules" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$work/npm/"
  # npm's own errors are shown (a registry that cannot be reached, a
  # certificate it does not trust); only its progress is not.
  (cd "$work/npm" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error) || {
    echo "npm ci could not install puppeteer-core from the npm registry (npm's reason above)" >&2
    exit 1
  }
fi

# The native build draws every reference frame.
while read -r program ms; do
  case "$program" in ''|'#'*) continue ;; esac
  "$native_bin/$program" --frame "$ms" "$work/reference/$program-$ms.png" || {
    echo "$native_bin/$program --frame $ms failed (is the native build there?)" >&2
    exit 1
  }
done <"$here/still_frames.txt"

server_log=$work/server.log
# Emptied here, not by the server's redirection, which may come after the
# first look below and so let it read the last run's address.
: >"$server_log"
node "$here/../../web/serve.mjs" "$site" >"$server_log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
# Up to 30 s: a busy machine starts node slowly.
end=$((SECONDS + 30))
until grep -q '^http' "$server_log" || [ $SECONDS -ge $end ] || ! kill -0 $server 2>/dev/null; do sleep 0.1; done
url=$(grep -m1 '^http' "$server_log") || { echo "the page's server did not start: $(cat "$server_log")" >&2; exit 1; }

PACK_PAGE_URL=$url PACK_SITE=$(cd "$site" && pwd) PACK_WORK=$work PACK_FRAMES=$here/still_frames.txt \
  PACK_CREDITS=$here/../e2e/brisklet_expected.txt NODE_PATH=$work/npm/node_modules \
  node --test --test-concurrency=1 "$here"/page_*.test.cjs
