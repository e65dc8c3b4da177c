#!/usr/bin/env bash
# fennick.exe under Wine: a GUI exe that imports ptc.dll; in the virtual
# desktop it shows contour lines on black and Escape ends it with status 0;
# copied away from ptc.dll it does not start.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/fennick_screen.sh"
build=$1
exe=$build/bin/fennick.exe
windows_exe "$exe" GUI
"$PE_OBJDUMP" -p "$exe" | grep -q 'DLL Name: ptc.dll' || fail "fennick.exe does not import ptc.dll"
wine_own_prefix "$build" fennick
xvfb_start 1024x768x24

# Without ptc.dll beside it the loader refuses it.
mkdir "$E2E_TMP/alone"
cp "$exe" "$E2E_TMP/alone/"
wine_run 60 "$E2E_TMP/alone/fennick.exe" >/dev/null 2>&1
rc=$?
[ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || fail "without ptc.dll: status $rc, expected a refusal to start"

timeout -k 5 120 wine "$exe" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
# The 320x240 client area is a quarter of the 640x480 desktop.
shot=$E2E_TMP/shot.png
wine_desktop_contours "$shot"
read -r black green yellow < <(screen_fractions "$shot")
echo "desktop: black $black, outer-contour green $green, inner-contour yellow $yellow"
[ -n "${FENNICK_E2E_KEEP:-}" ] && cp "$shot" "$FENNICK_E2E_KEEP"

# Escape goes to the virtual desktop's X window, which hands it to the
# program's window.
xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop"
xdotool key Escape
expect_clean_end "$pid" fennick.exe
echo "fennick under Wine: ok"
