#!/usr/bin/env bash
# The Debian package of the native build, made by CPack into a scratch
# folder and unpacked into a scratch root with dpkg -x: its control data
# declares the libraries the programs need; it holds exactly the five
# programs, their manual pages, desktop entries and icons; the programs run
# from there; every page renders without a warning and documents every
# option the program's --help names; every desktop entry validates and
# points to a program and an icon of the package. A plain `cmake --install`
# puts the same files in place.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
. "$build/programs.sh"
programs=$PACK_PROGRAMS
graphics=$PACK_GRAPHICS_PROGRAMS

out=$E2E_TMP/out
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$E2E_TMP/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $out, found: ${debs[*]}"
deb=${debs[0]}
version=$("$build/bin/fennick" --version | awk '{ print $2 }')
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "velkrant-pack_${version}_${arch}.deb" ] || fail "unexpected file name $(basename "$deb")"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

# Control data: name, version, and the shared libraries as dependencies.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velkrant-pack ] || fail "Package: '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version: '$(field Version)', the programs say $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: '$(field Architecture)'"
depends=$(field Depends)
for lib in libsdl2-2.0-0 "libpng16-16(t64)?" libc6 "libstdc\\+\\+6"; do
  echo "$depends" | grep -Eq "(^|, )$lib( |,|$)" || fail "Depends lacks $lib: $depends"
done
field Suggests | grep -Eq '(^|, )ffmpeg(,|$)' || fail "ffmpeg is not suggested: '$(field Suggests)'"
dpkg-deb -I "$deb" | grep -q '^ Description: .' || fail "no description"

# The files: exactly these, nothing of the tests.
expected=$E2E_TMP/expected
{
  for p in $programs; do
    echo "usr/bin/$p"
    echo "usr/share/man/man6/$p.6"
    echo "usr/share/applications/$p.desktop"
  done
  for size in 16 32 48 64 128 256; do echo "usr/share/icons/hicolor/${size}x${size}/apps/velkrant.png"; done
} | sort >"$expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$E2E_TMP/listed"
diff "$expected" "$E2E_TMP/listed" >&2 || fail "the package's files differ from the pack (< expected, > packaged)"

root=$E2E_TMP/root
dpkg -x "$deb" "$root" || fail "dpkg -x failed"

# `cmake --install` without a component gives the same files.
DESTDIR=$E2E_TMP/installed cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install failed"
(cd "$E2E_TMP/installed" && find . -type f | sed 's|^\./||' | sort) >"$E2E_TMP/installed.txt"
diff "$expected" "$E2E_TMP/installed.txt" >&2 || fail "cmake --install puts other files (< expected, > installed)"

# The programs run from the scratch root: every library found, the same
# frames as the build's programs, brisklet's eleven lines.
for p in $programs; do
  exe=$root/usr/bin/$p
  [ -x "$exe" ] || fail "$p is not executable"
  ldd "$exe" | grep -q 'not found' && fail "$p: a library is missing: $(ldd "$exe" | grep 'not found')"
done
for p in $graphics; do
  [ "$("$root/usr/bin/$p" --version)" = "$p $version" ] || fail "$p --version: '$("$root/usr/bin/$p" --version)'"
  "$root/usr/bin/$p" --frame 4000 "$E2E_TMP/$p-packaged.png" || fail "$p --frame from the package failed"
  "$build/bin/$p" --frame 4000 "$E2E_TMP/$p-built.png" || fail "$p --frame from the build failed"
  cmp -s "$E2E_TMP/$p-packaged.png" "$E2E_TMP/$p-built.png" || fail "$p: the packaged program draws another frame"
done
lines=$(timeout 10 "$root/usr/bin/brisklet" </dev/null | wc -l)
[ "$lines" -eq 11 ] || fail "brisklet from the package printed $lines lines, expected 11"

# Manual pages, looked up the way `man PROGRAM` finds them (splines and
# splines2 lead to the page they share with curves).
mandir=$root/usr/share/man
for p in $programs; do
  page=$(MANWIDTH=80 man --warnings -M "$mandir" "$p" 2>"$E2E_TMP/man-$p.err")
  [ -s "$E2E_TMP/man-$p.err" ] && fail "man $p: warnings: $(cat "$E2E_TMP/man-$p.err")"
  echo "$page" | grep -A1 '^NAME' | grep -Eq "(^| |,)$p(,| )" || fail "man $p: the NAME section does not name $p"
  for section in SYNOPSIS DESCRIPTION KEYS 'EXIT STATUS'; do
    echo "$page" | grep -q "^$section" || fail "man $p: no $section section"
  done
done
for p in $graphics; do
  page=$(MANWIDTH=80 man -M "$mandir" "$p" 2>/dev/null)
  for option in $("$build/bin/$p" --help | grep -Eo -- '--[a-z][a-z-]*' | sort -u); do
    echo "$page" | grep -q -- "$option" || fail "man $p does not mention $option, which --help names"
  done
done
for page in "$mandir"/man6/*.6; do
  name=man6/$(basename "$page")
  (cd "$mandir" && groff -man -Tutf8 -ww -z "$name") 2>"$E2E_TMP/groff.err"
  [ -s "$E2E_TMP/groff.err" ] && fail "groff warns about $name: $(cat "$E2E_TMP/groff.err")"
done

# Desktop entries: valid, each starts a program of the package with the
# package's icon; the icons are the size their folder says.
for p in $programs; do
  entry=$root/usr/share/applications/$p.desktop
  desktop-file-validate "$entry" >&2 || fail "$p.desktop does not validate"
  grep -Eo '^Exec=[^ ]+' "$entry" | sort -u | while read -r exec; do
    [ -x "$root/usr/bin/${exec#Exec=}" ] || fail "$p.desktop starts '${exec#Exec=}', not a program of the package"
  done || exit 1
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ "$icon" = velkrant ] || fail "$p.desktop: Icon=$icon"
done
grep -q '^Terminal=true' "$root/usr/share/applications/brisklet.desktop" || fail "brisklet.desktop does not ask for a terminal"
for size in 16 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/velkrant.png")
  [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done
echo "Debian package: ok"
