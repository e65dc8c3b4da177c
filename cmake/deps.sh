# Installs the Debian packages the pack needs. Source it, then call
#   ensure_packages PKG...         the packages, or the script ends
#   ensure_i386_packages           32-bit Wine and Mesa, only where they can run
# Packages already installed are skipped, so a second call costs nothing.
# As root the missing ones are installed with apt-get; otherwise the exact
# command is printed and the script stops with status 1.

# The native build and the show.
PACK_RUN_PACKAGES="cmake g++ make libsdl2-dev libpng-dev"
# Everything ./test.sh needs on top: tests, the Win32 cross build and the
# 64-bit Windows test build, 64-bit Wine with a virtual desktop that can
# switch modes, X tools for end-to-end tests.
PACK_TEST_PACKAGES="$PACK_RUN_PACKAGES libgtest-dev googletest libbenchmark-dev \
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 mingw-w64-tools wine wine64 \
  libgl1-mesa-dri libglx-mesa0 libx11-dev libxfixes-dev xvfb xauth xdotool x11-utils imagemagick tmux file ffmpeg \
  dpkg-dev advancecomp desktop-file-utils man-db clang libclang-rt-14-dev valgrind"
# What runs the shipped i686 files under Wine: of use only on a kernel that
# runs 32-bit programs (ensure_i386_packages).
PACK_I386_PACKAGES="wine32:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386 libgl1:i386"
# ./pack.sh: both builds, dpkg-shlibdeps for the Debian package's
# dependencies, and advzip, which deflates the Win32 ZIP again.
PACK_PACKAGING_PACKAGES="$PACK_RUN_PACKAGES g++-mingw-w64-i686-win32 mingw-w64-tools dpkg-dev advancecomp"
# The browser build (Emscripten) and its tests in Debian's headless Chromium;
# node and npm bring puppeteer-core for the tests over HTTPS (hence the CA
# certificates), ImageMagick compares frames, zip makes the web ZIP.
PACK_WEB_PACKAGES="cmake nodejs emscripten chromium imagemagick zip ca-certificates"
# ./bench.sh: the libraries the benchmarks compare against.
PACK_BENCH_PACKAGES="$PACK_RUN_PACKAGES libbenchmark-dev libsdl2-gfx-dev"

PACK_DEPS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The web packages, and Debian's npm unless the machine's Node.js brings its
# own (a Node.js from elsewhere ships npm inside its nodejs package).
ensure_web_packages() {
  ensure_packages $PACK_WEB_PACKAGES
  command -v npm >/dev/null || ensure_packages npm
}

# kernel_runs_32bit: true when the kernel starts a 32-bit x86 program (the
# probe, or PACK_PROBE_I386 in the tests). PACK_32BIT_WHY says how it went.
kernel_runs_32bit() {
  local probe=${PACK_PROBE_I386:-$PACK_DEPS_DIR/tools/probe-i386} said
  if said=$("$probe" 2>&1); then
    PACK_32BIT_WHY="this kernel runs 32-bit programs (tools/probe-i386 ran)"
    return 0
  fi
  said=${said##*: }
  PACK_32BIT_WHY="this kernel runs no 32-bit program (tools/probe-i386: ${said:-it did not start})"
  return 1
}

# ensure_i386_packages: 32-bit Wine and Mesa where the kernel can run them,
# with one line that says which it is. They are optional: where they cannot
# be installed, PACK_I386_FAILED holds why and the caller goes on without.
PACK_I386_FAILED=
ensure_i386_packages() {
  if ! kernel_runs_32bit; then
    echo "32-bit Windows programs: $PACK_32BIT_WHY; no i386 packages" >&2
    return 0
  fi
  echo "32-bit Windows programs: $PACK_32BIT_WHY; with 32-bit Wine and Mesa" >&2
  [ -n "$(missing_packages $PACK_I386_PACKAGES)" ] || return 0
  local added=0
  if [ "$(id -u)" -eq 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386 || { PACK_I386_FAILED="dpkg --add-architecture i386 failed"; return 0; }
    added=1 PACK_APT_UPDATED=
  fi
  install_packages $PACK_I386_PACKAGES && return 0
  [ "$(id -u)" -eq 0 ] || exit 1
  PACK_I386_FAILED="the i386 packages could not be installed (apt-get's reason above)"
  echo "32-bit Windows programs: going on without them: $PACK_I386_FAILED" >&2
  # An architecture added for nothing would make every later apt-get update
  # fetch (and possibly fail on) its indexes.
  [ $added -eq 0 ] || dpkg --remove-architecture i386 2>/dev/null || true
}

ensure_packages() {
  install_packages "$@" || exit 1
}

# missing_packages PKG...: those of them that are not installed.
missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || printf '%s ' "$pkg"
  done
}

# install_packages PKG...: installs the missing ones; on failure says which
# and apt's own reason, and returns 1. Not root: prints the command instead.
install_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -n "$missing" ] || return 0
  local install="apt-get install -y --no-install-recommends ${missing% }"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Run as root:" >&2
    case " $missing" in *:i386\ *) echo "  dpkg --add-architecture i386" >&2 ;; esac
    echo "  apt-get update && $install" >&2
    return 1
  fi
  echo "Installing: ${missing% }" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  local log
  log=$(mktemp)
  # shellcheck disable=SC2086
  if ! apt-get install -y -q --no-install-recommends $missing >"$log" 2>&1; then
    echo "Installing these Debian packages failed: ${missing% }" >&2
    echo "apt-get said:" >&2
    { grep -E '^(E: | |The following packages have unmet)' "$log" || cat "$log"; } | tail -n 20 >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

# apt_update: the package lists, once per script. A registry mid-sync or a
# dropped connection is tried again after a pause; after the last try the
# install goes on with the lists that did arrive (it fails on its own if
# they lack a package).
PACK_APT_UPDATED=
apt_update() {
  [ -z "$PACK_APT_UPDATED" ] || return 0
  PACK_APT_UPDATED=1
  local try log
  log=$(mktemp)
  for try in 1 2 3 4; do
    if apt-get update -q >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    echo "apt-get update failed (try $try of 4): $({ grep -E '^E: ' "$log" || tail -n 2 "$log"; } | tail -n 2 | tr '\n' ' ')" >&2
    [ $try -lt 4 ] && sleep $((try * 5))
  done
  rm -f "$log"
  echo "apt-get update: going on with the package lists as they are" >&2
}

# build_preset NAME [TARGET...]: configure (once) and build one of
# CMakePresets.json's presets, or only the targets named; quiet unless
# something fails.
build_preset() {
  local preset=$1 log targets=()
  shift
  [ $# -gt 0 ] && targets=(--target "$@")
  log=$(mktemp)
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "Building the $preset target failed" >&2
    return 1
  fi
  grep -E 'warning:' "$log" >&2
  rm -f "$log"
}
