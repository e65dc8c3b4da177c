# Installs the Debian packages the pack needs. Source it, then call
#   ensure_packages PKG...
# Packages already installed are skipped, so a second call costs nothing.
# As root the missing ones are installed with apt-get; otherwise the exact
# command is printed and the script stops with status 1.

# The native build and the show.
PACK_RUN_PACKAGES="cmake g++ make libsdl2-dev libpng-dev"
# Everything ./test.sh needs on top: tests, the Win32 cross build and the
# 64-bit Windows test build, Wine (32- and 64-bit) with a virtual desktop that
# can switch modes, X tools for end-to-end tests.
PACK_TEST_PACKAGES="$PACK_RUN_PACKAGES libgtest-dev googletest libbenchmark-dev \
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 mingw-w64-tools wine wine64 wine32:i386 \
  libgl1-mesa-dri libglx-mesa0 libgl1-mesa-dri:i386 libglx-mesa0:i386 libgl1:i386 libx11-dev libxfixes-dev xvfb xauth xdotool x11-utils imagemagick tmux file ffmpeg \
  dpkg-dev desktop-file-utils man-db clang libclang-rt-14-dev valgrind"
# ./pack.sh: both builds, and dpkg-shlibdeps for the Debian package's
# dependencies.
PACK_PACKAGING_PACKAGES="$PACK_RUN_PACKAGES g++-mingw-w64-i686-win32 mingw-w64-tools dpkg-dev"
# The browser build (Emscripten) and its tests in Debian's headless Chromium;
# node and npm bring puppeteer-core for the tests, ImageMagick compares frames,
# zip makes the web ZIP.
PACK_WEB_PACKAGES="cmake nodejs emscripten chromium imagemagick zip"
# ./bench.sh: the libraries the benchmarks compare against.
PACK_BENCH_PACKAGES="$PACK_RUN_PACKAGES libbenchmark-dev libsdl2-gfx-dev"

# The web packages, and Debian's npm unless the machine's Node.js brings its
# own (a Node.js from elsewhere ships npm inside its nodejs package).
ensure_web_packages() {
  ensure_packages $PACK_WEB_PACKAGES
  command -v npm >/dev/null || ensure_packages npm
}

ensure_packages() {
  local missing=() needs_i386=0 pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
      case "$pkg" in *:i386) needs_i386=1 ;; esac
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local install="apt-get install -y --no-install-recommends ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Run as root:" >&2
    [ $needs_i386 -eq 1 ] && echo "  dpkg --add-architecture i386" >&2
    echo "  apt-get update && $install" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}" >&2
  if [ $needs_i386 -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386 || exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null || { echo "apt-get update failed" >&2; exit 1; }
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || {
    echo "Installing ${missing[*]} failed" >&2
    exit 1
  }
}

# build_preset NAME: configure (once) and build one of CMakePresets.json's
# presets; quiet unless something fails.
build_preset() {
  local preset=$1 log
  log=$(mktemp)
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$(nproc)"; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "Building the $preset target failed" >&2
    return 1
  fi
  grep -E 'warning:' "$log" >&2
  rm -f "$log"
}
