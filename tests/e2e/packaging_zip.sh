#!/usr/bin/env bash
# packaging_zip.sh BUILD MODE: the Win32 pack as it ships.
#   contents  CPack's ZIP holds one folder with exactly the five exes,
#             ptc.dll and README.txt (CRLF line ends); each file is 32-bit
#             x86 code; every exe and the DLL import nothing that is neither
#             in that folder nor a DLL of Windows, so no compiler runtime is
#             missing on a fresh machine. Nothing is run.
#   sizes     each file of the ZIP (stripped, as it ships) and the ZIP itself
#             keep to their budgets: brisklet.exe 24 KB, each graphics exe
#             96 KB, ptc.dll 48 KB, the ZIP 160 KB (KB of 1024 bytes).
#   run       unpacked, curves.exe shows its checkerboard in Wine's virtual
#             desktop and fennick.exe (with the pack's ptc.dll) its contour
#             lines, each ending with status 0 on Escape. Skipped (status 77)
#             where this machine runs no 32-bit program.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/effects_lib.sh"
. "$(dirname "$0")/fennick_screen.sh"
build=$(cd "$1" && pwd) mode=$2
E2E_BUILD=$build
. "$build/programs.sh"
if [ "$mode" = run ] && ! wine32_runs; then
  echo "skipped: the shipped i686 exes cannot run here, this machine runs no 32-bit program ($WINE32_ERROR)"
  exit 77
fi

out=$E2E_TMP/out
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$E2E_TMP/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
zips=("$out"/*.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "expected one .zip in $out, found: ${zips[*]}"
zip=${zips[0]}
top=$(basename "$zip" .zip)
[[ $top =~ ^velkrant-pack-[0-9]+\.[0-9]+\.[0-9]+-win32$ ]] || fail "unexpected file name $(basename "$zip")"
echo "$(basename "$zip"): $(stat -c %s "$zip") bytes"

unpacked=$E2E_TMP/unpacked
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip") || fail "cannot unpack the ZIP"
folder=$unpacked/$top

if [ "$mode" = sizes ]; then
  budget_kb() { case $1 in brisklet.exe) echo 24 ;; ptc.dll) echo 48 ;; *.exe) echo 96 ;; *.zip) echo 160 ;; esac; }
  over=0
  for file in "$folder"/* "$zip"; do
    name=$(basename "$file") size=$(stat -c %s "$file") kb=$(budget_kb "$(basename "$file")")
    [ -n "$kb" ] || continue  # README.txt counts in the ZIP's
    if [ "$size" -gt $((kb * 1024)) ]; then
      echo "FAIL: $name is $size bytes, over its budget of $((kb * 1024)) ($kb KB)" >&2
      over=1
    else
      echo "$name: $size bytes, budget $((kb * 1024))"
    fi
  done
  exit $over
fi

if [ "$mode" = contents ]; then
  # Exactly the pack, in one folder named like the ZIP.
  expected="README.txt ptc.dll $(for p in $PACK_PROGRAMS; do printf '%s.exe ' "$p"; done)"
  listed=$(cmake -E tar tf "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  want=$(for f in $expected; do echo "$top/$f"; done | sort | tr '\n' ' ')
  [ "$listed" = "$want" ] || fail "the ZIP holds: $listed; expected: $want"

  # README.txt: every line ends in CR LF, and it names each file of the pack.
  readme=$folder/README.txt
  lines=$(wc -l <"$readme")
  crlf=$(grep -c $'\r$' "$readme")
  [ "$lines" -gt 5 ] && [ "$crlf" -eq "$lines" ] || fail "README.txt: $crlf of $lines lines end in CR LF"
  for f in $expected; do
    [ "$f" = README.txt ] || grep -q "$f" "$readme" || fail "README.txt does not mention $f"
  done

  # Each file is 32-bit x86 code; the exes are GUI exes but brisklet, a
  # console one (as is the DLL, for which the subsystem means nothing); every
  # DLL imported is beside it or a DLL of Windows (one with an export list).
  lists=$(cd "$(dirname "$0")/../packaging/windows2000" && pwd)
  for f in $expected; do
    [ "$f" = README.txt ] && continue
    kind=$(file -b "$folder/$f")
    case $f in
      ptc.dll) want_kind='PE32 executable (DLL) (console) Intel 80386' ;;
      brisklet.exe) want_kind='PE32 executable (console) Intel 80386' ;;
      *) want_kind='PE32 executable (GUI) Intel 80386' ;;
    esac
    [[ $kind == "$want_kind"* ]] || fail "$f is '$kind', expected '$want_kind'"
    for dll in $(i686-w64-mingw32-objdump -p "$folder/$f" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
      [ -f "$folder/$dll" ] && continue
      system_list=$lists/$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}").txt
      [ -f "$system_list" ] || fail "$f imports $dll, which is neither in the pack nor part of Windows"
    done
  done
  echo "the ZIP's seven files: 32-bit x86, importing only each other and Windows' own DLLs"
  exit 0
fi

wine_own_prefix "$build" packaging
xvfb_start 640x480x24
cd "$folder" || fail "no folder $folder"

# curves.exe, started from the unpacked folder: its checkerboard at the top
# left of the 640x480 virtual desktop.
timeout -k 5 60 wine ./curves.exe >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
window=$(wait_window 30 Velkrant) || fail "curves.exe: no window"
shot=$E2E_TMP/curves.png
shoot_and_keep "$shot" curves "$build/e2e-packaging-curves"
xdotool key --window "$window" Escape 2>/dev/null
expect_clean_end "$pid" curves.exe
echo "curves.exe from the ZIP: checkerboard #607B8B/#8B4C39 on screen, Escape gave status 0"

# fennick.exe loads the pack's ptc.dll and draws its contour lines into its
# 320x240 window on the 640x480 desktop; a new desktop for it, since the
# last one may still keep the 320x200 mode curves.exe set.
wineserver -k
timeout -k 5 60 wine ./fennick.exe >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
shot=$E2E_TMP/fennick.png
has_picture() { timeout 10 import -window root "$shot" 2>/dev/null && shows_contours "$shot" 0.15; }
wait_for 30 has_picture || fail "fennick.exe: no contour lines on screen ($(screen_fractions "$shot"))"
cp "$shot" "$build/e2e-packaging-fennick.png"
desktop=$(wait_window 10 'Default - Wine desktop') || fail "fennick.exe: no Wine desktop window"
xdotool windowfocus "$desktop"
xdotool key Escape
expect_clean_end "$pid" fennick.exe
echo "fennick.exe from the ZIP: contour lines on screen, Escape gave status 0"
