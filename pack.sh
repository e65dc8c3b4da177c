#!/usr/bin/env bash
# ./pack.sh  build both targets without their tests and make the packages
# in dist/:
#   velkrant-pack_VERSION_ARCH.deb    the native build, for apt-get install
#   velkrant-pack-VERSION-win32.zip   the Win32 pack: five exes, ptc.dll,
#                                     README.txt
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_PACKAGING_PACKAGES

start=$SECONDS
mkdir -p dist
for target in native win32; do
  preset=package-$target
  build_preset "$preset" || exit 1
  staging=build/$preset/cpack
  rm -rf "$staging"
  if ! cpack --config "build/$preset/CPackConfig.cmake" -B "$staging" >"build/$preset/cpack.log" 2>&1; then
    cat "build/$preset/cpack.log" >&2
    echo "Packaging the $target build failed" >&2
    exit 1
  fi
  for package in "$staging"/*.deb "$staging"/*.zip; do
    [ -f "$package" ] || continue
    cp "$package" dist/
    echo "dist/$(basename "$package"): $(stat -c %s "$package") bytes"
  done
done
echo "Packed in $((SECONDS - start)) s" >&2
