#!/usr/bin/env bash
# ./pack.sh  build both targets without their tests and make the packages
# in dist/:
#   velkrant-pack_VERSION_ARCH.deb    the native build, for apt-get install
#   velkrant-pack-VERSION-win32.zip   the Win32 pack: five exes, ptc.dll,
#                                     README.txt
#   velkrant-pack-VERSION-web.zip     the web page for any static web host:
#                                     index.html, velkrant.js (the module
#                                     inside) and the icon; it also runs
#                                     from the unzipped folder (file://)
set -u
cd "$(dirname "$0")"
. cmake/deps.sh
ensure_packages $PACK_PACKAGING_PACKAGES
ensure_web_packages

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
    # The files of the Win32 pack, as they ship (stripped).
    case $package in
      *.zip) cmake -E tar tvf "$package" | awk '$1 !~ /^d/ { printf "  %-40s %8d bytes\n", $NF, $5 }' ;;
    esac
  done
done

# The web page: the site's three files in one folder.
build_preset package-web || exit 1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package-web/CMakeCache.txt)
name=velkrant-pack-$version-web
staging=build/package-web/zip
rm -rf "$staging" && mkdir -p "$staging/$name"
cp build/package-web/site/index.html build/package-web/site/velkrant.js build/package-web/site/velkrant.png \
  "$staging/$name/" || exit 1
rm -f "dist/$name.zip"
(cd "$staging" && zip -qr "../../../dist/$name.zip" "$name") || { echo "Zipping the web page failed" >&2; exit 1; }
echo "dist/$name.zip: $(stat -c %s "dist/$name.zip") bytes"
echo "Packed in $((SECONDS - start)) s" >&2
