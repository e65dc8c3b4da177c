#!/usr/bin/env bash
# The Win32 display code of the real program (the test pattern program) on
# the test DirectDraw library (tests/fullscreen/fake_ddraw.cpp), which
# records every call and fails on request: setup failures, fallback orders,
# the eight screen formats, dropped frames, closing, Escape, WM_CLOSE and
# the inactive state.
set -u
. "$(dirname "$0")/lib.sh"
build=$1
xvfb_start 640x480x24
wine_own_prefix "$build" fullscreen

app=$E2E_TMP/app
mkdir -p "$app" "$E2E_TMP/no_entry" "$E2E_TMP/no_library"
cp "$build/test-bin/fullscreen_pattern.exe" "$build/fake_ddraw/ddraw.dll" "$app/"
cp "$build/test-bin/fullscreen_pattern.exe" "$build/fake_ddraw_no_entry/ddraw.dll" "$E2E_TMP/no_entry/"
cp "$build/test-bin/fullscreen_pattern.exe" "$E2E_TMP/no_library/"

failures=0
check() {  # check DESCRIPTION COMMAND...: records a failed expectation
  if ! "${@:2}"; then echo "FAIL: $case_name: $1" >&2; failures=$((failures + 1)); fi
}

# run NAME [VAR=VALUE...]: the program in $app with the test library and
# the given environment, 3 frames unless PATTERN_FRAMES is given. Sets
# $status and $log (the recorded calls).
run() {
  case_name=$1; shift
  log=$E2E_TMP/$case_name.log
  : >"$log"
  env WINEDLLOVERRIDES=ddraw=n,b FAKE_DDRAW_LOG="$log" PATTERN_FRAMES=3 "$@" \
    timeout -k 5 30 wine "${dir:-$app}/fullscreen_pattern.exe" --quiet
  status=$?
  [ "$status" -ne 124 ] || echo "FAIL: $case_name: hung" >&2
}
has() { grep -qxF -- "$1" "$log"; }
lacks() { ! grep -qF -- "$1" "$log"; }
count_is() { [ "$(grep -cF -- "$1" "$log")" -eq "$2" ]; }
status_is() { [ "$status" -eq "$1" ]; }
last_is() { [ "$(tail -n 1 "$log")" = "$1" ]; }
in_order() {  # the given lines appear in this order (others may come between)
  local want=("$@") i=0 line
  while IFS= read -r line; do
    [ $i -lt ${#want[@]} ] && [ "$line" = "${want[$i]}" ] && i=$((i + 1))
  done <"$log"
  [ $i -eq ${#want[@]} ]
}
ends_with() {  # the log's last lines are exactly these
  [ "$(tail -n $# "$log")" = "$(printf '%s\n' "$@")" ]
}
nothing_shown() {
  check "status 1" status_is 1
  check "screen saver untouched" lacks "SystemParametersInfoA"
  check "no lock" lacks "Lock"
  check "nothing released" lacks "Release"
}

# The first-version surface description: 108 bytes on 32-bit Windows, 120
# in the 64-bit test build (its surface pointer is 8 bytes, and aligned).
desc=108
[[ $(file -b "$app/fullscreen_pattern.exe") == PE32+* ]] && desc=120
coop_on="SetCooperativeLevel window=framework-window flags=0x11"
form1="CreateSurface size=$desc flags=0x21 backbuffers=2 caps=0x4218 outer=null"
form2="CreateSurface size=$desc flags=0x21 backbuffers=1 caps=0x4218 outer=null"
form3="CreateSurface size=$desc flags=0x1 backbuffers=unset:0 caps=0x4200 outer=null"
shown="surface shows the pattern, margin intact"
closing=("Release primary" "RestoreDisplayMode" "SetCooperativeLevel window=framework-window flags=0x8"
  "Release ddraw" "DestroyWindow framework-window" "FreeLibrary ddraw" "SystemParametersInfoA 17 1 null 0")

# ---- a normal run: setup, three frames, closing -------------------------
run normal
check "status 0" status_is 0
check "the program carries its icon: 32x32 and 16x16 in 16 colours, 32x32 monochrome" \
  has "icon group IDI_MAIN: 32x32/16 16x16/16 32x32/2"
check "the window class has the icon" has "window class icon set"
check "setup calls in order" in_order "DirectDrawCreate guid=null outer=null" "$coop_on" \
  "SetDisplayMode 320 200 32" "$form1" "GetAttachedSurface primary caps=0x4" "GetPixelFormat primary size=32" \
  "SystemParametersInfoA 17 0 null 0" "Restore primary"
check "one frame: restore, lock, unlock, flip, sleep 0" in_order "Restore primary" \
  "Lock back rect=null size=$desc flags=0x1 event=null" "Unlock back pointer=locked" "$shown" \
  "Flip primary target=null flags=0x1" "Sleep 0"
check "three frames shown" count_is "$shown" 3
check "close_display calls in order, screen saver back on" ends_with "${closing[@]}"

# ---- each setup step failing ends with status 1 ---------------------------
run fail_create FAKE_DDRAW_FAIL=create
nothing_shown; check "stops at DirectDrawCreate" last_is "DirectDrawCreate guid=null outer=null"
run fail_coop FAKE_DDRAW_FAIL=coop
nothing_shown; check "stops at SetCooperativeLevel" last_is "$coop_on"
run no_mode FAKE_DDRAW_MODES=8,15
nothing_shown
check "32, 24, 16 tried, nothing else" ends_with "SetDisplayMode 320 200 32" "SetDisplayMode 320 200 24" "SetDisplayMode 320 200 16"
run no_surface FAKE_DDRAW_CHAINS=9
nothing_shown; check "three surface forms tried" ends_with "$form1" "$form2" "$form3"
run plain_primary_only FAKE_DDRAW_CHAINS=0
nothing_shown; check "third form, then no back buffer" ends_with "$form1" "$form2" "$form3" "GetAttachedSurface primary caps=0x4"
run fail_attach FAKE_DDRAW_FAIL=attach
nothing_shown; check "stops at GetAttachedSurface" last_is "GetAttachedSurface primary caps=0x4"
run fail_format FAKE_DDRAW_FAIL=format
nothing_shown; check "stops at GetPixelFormat" last_is "GetPixelFormat primary size=32"
run palette_mode FAKE_DDRAW_FORMAT=0x20:8:0:0:0
nothing_shown; check "palette format refused" last_is "GetPixelFormat primary size=32"
run rgb_flag_missing FAKE_DDRAW_FORMAT=0x0:32:0xFF0000:0xFF00:0xFF
nothing_shown
run masks_444 FAKE_DDRAW_FORMAT=0x40:16:0xF00:0xF0:0xF
nothing_shown
run bits_15 FAKE_DDRAW_FORMAT=0x40:15:0x7C00:0x3E0:0x1F
nothing_shown
dir=$E2E_TMP/no_entry run no_entry_point
check "no DirectDrawCreate: status 1" status_is 1
dir=$E2E_TMP/no_library run no_library WINEDLLOVERRIDES=ddraw=d
check "no ddraw.dll: status 1" status_is 1

# ---- fallback orders -------------------------------------------------------
run mode_24 FAKE_DDRAW_MODES=24,16 FAKE_DDRAW_FORMAT=0x40:24:0xFF0000:0xFF00:0xFF
check "status 0" status_is 0
check "32 refused, 24 taken" in_order "SetDisplayMode 320 200 32" "SetDisplayMode 320 200 24" "$form1"
check "16 not tried" lacks "SetDisplayMode 320 200 16"
check "frames shown at 24 bits" count_is "$shown" 3
run mode_16 FAKE_DDRAW_MODES=16 FAKE_DDRAW_FORMAT=0x40:16:0xF800:0x7E0:0x1F
check "status 0" status_is 0
check "32, 24 refused, 16 taken" in_order "SetDisplayMode 320 200 32" "SetDisplayMode 320 200 24" "SetDisplayMode 320 200 16" "$form1"
check "frames shown at 16 bits" count_is "$shown" 3
run one_back_buffer FAKE_DDRAW_CHAINS=1,0
check "status 0" status_is 0
check "two refused, one granted" in_order "$form1" "$form2" "GetAttachedSurface primary caps=0x4"
check "third form not tried" lacks "caps=0x4200"
check "frames shown" count_is "$shown" 3

# ---- the eight screen formats reach the surface through their converters ---
for format in rgb32:0x40:32:0xFF0000:0xFF00:0xFF bgr32:0x40:32:0xFF:0xFF00:0xFF0000 \
  rgb24:0x40:24:0xFF0000:0xFF00:0xFF bgr24:0x40:24:0xFF:0xFF00:0xFF0000 \
  rgb565:0x40:16:0xF800:0x7E0:0x1F bgr565:0x40:16:0x1F:0x7E0:0xF800 \
  rgb555:0x40:16:0x7C00:0x3E0:0x1F bgr555:0x40:16:0x1F:0x3E0:0x7C00; do
  run "format_${format%%:*}" FAKE_DDRAW_FORMAT="${format#*:}" PATTERN_FRAMES=2
  check "status 0" status_is 0
  check "both frames show the pattern with the margin intact" count_is "$shown" 2
  check "no differences" lacks "differs"
done

# ---- a failed lock drops one frame ------------------------------------------
run lock_fails FAKE_DDRAW_LOCK_FAIL=2 PATTERN_FRAMES=4
check "status 0" status_is 0
check "four locks, three frames shown" count_is "Lock back" 4
check "three unlocks" count_is "Unlock back" 3
check "three flips" count_is "Flip primary" 3
check "no sleep after the failed lock" in_order "Sleep 0" "Restore primary" "Lock back rect=null size=$desc flags=0x1 event=null" \
  "Restore primary" "Lock back rect=null size=$desc flags=0x1 event=null" "Unlock back pointer=locked"
check "closes normally" ends_with "${closing[@]}"

# ---- Escape, WM_CLOSE, other keys, the pointer -----------------------------
for request in escape close; do
  run "$request" FAKE_DDRAW_POST="2:$request" PATTERN_FRAMES=50
  check "status 0" status_is 0
  check "ends in the next frame's message pump" count_is "Lock back" 2
  check "closes, then ExitProcess 0" ends_with "${closing[@]}" "ExitProcess 0"
done
run other_key FAKE_DDRAW_POST=1:key PATTERN_FRAMES=4
check "status 0" status_is 0
check "other keys change nothing" count_is "$shown" 4
check "no early exit" lacks "ExitProcess"
run pointer FAKE_DDRAW_POST=1:setcursor
check "WM_SETCURSOR hides the pointer" has "SetCursor null"

# ---- inactive ---------------------------------------------------------------
run never_active FAKE_DDRAW_INACTIVE=1 PATTERN_FRAMES=5
check "status 0" status_is 0
check "inactive from the start: no restore, lock or flip" lacks "Lock"
check "one 1 ms sleep per pass" count_is "Sleep 1" 5
check "closes normally" ends_with "${closing[@]}"
run goes_inactive FAKE_DDRAW_POST=2:inactive PATTERN_FRAMES=5
check "two frames, then only 1 ms sleeps" count_is "Lock back" 2
check "three inactive passes" count_is "Sleep 1" 3

[ "$failures" -eq 0 ] || fail "$failures expectations failed (logs in $E2E_TMP are removed on exit)"
echo "fullscreen on the test DirectDraw library: ok"
