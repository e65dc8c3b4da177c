#!/usr/bin/env bash
# The Win32 window display under Wine, in a 1024x768 virtual desktop:
# - curves.exe --window shows the checkerboard in a framed window of
#   960x720 (the 4:3 picture at three times 320x240); Alt+Enter makes it
#   cover the desktop, borderless, and brings the frame back; Space freezes
#   the picture; Escape ends it with status 0;
# - when fullscreen cannot be had (a test ddraw.dll that refuses every mode),
#   curves.exe asks in a message box whether to play in a window: No ends
#   with status 1, Yes shows the window, which Escape ends with 0.
set -u
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/effects_lib.sh"
build=$1
E2E_BUILD=$build
xvfb_start 1024x768x24
wine_own_prefix "$build" window 1024x768

keys() {  # keys to the virtual desktop, which hands them to the focused window
  local desktop
  desktop=$(wait_window 30 'Default - Wine desktop') || fail "no Wine desktop window"
  xdotool mousemove 512 384
  xdotool windowfocus --sync "$desktop" 2>/dev/null || xdotool windowfocus "$desktop" 2>/dev/null
  xdotool key "$@"
}
read -r slate brown < <(effect_colours curves)
[ -n "$brown" ] || fail "curves.exe: its still frame gave no two colours"
shot=$E2E_TMP/shot.png
# picture_at X Y: the screenshot's pixel there is a checkerboard colour.
picture_at() {
  local c
  c=$(convert "$shot" -format "%[hex:p{$1,$2}]" info: 2>/dev/null)
  [ "${c:0:6}" = "$slate" ] || [ "${c:0:6}" = "$brown" ]
}
framed() { picture_at 512 400 && ! picture_at 3 3; }       # desktop around it
covering() { picture_at 3 3 && picture_at 1020 764; }       # corner to corner
# shows WHAT CHECK...: a screenshot for which CHECK holds comes within 10 s.
shot_then() { import -window root "$shot" 2>/dev/null && "$@"; }
shows() {
  local what=$1; shift
  wait_for 10 shot_then "$@" ||
    { cp "$shot" "$build/e2e-window-failed.png"; fail "$what (kept as e2e-window-failed.png)"; }
}

# ---- --window: framed, Alt+Enter covers the desktop and back, Escape ----
timeout -k 5 90 wine "$build/bin/curves.exe" --window &
pid=$!
wait_for 30 xdotool search --name '^Velkrant$' || fail "--window: no window"
# A client area of 960x720 in the middle of the desktop.
shows "--window: no checkerboard in a framed window" framed
cp "$shot" "$build/e2e-window.png"
keys alt+Return
shows "Alt+Enter: the picture does not cover the desktop" covering
cp "$shot" "$build/e2e-window-covering.png"
keys alt+Return
shows "Alt+Enter again: no framed window" framed
# Space pauses: the picture stands still.
keys space
# moved_after SECS: pixels changed from paused-a to a screenshot SECS later
moved_after() {
  sleep "$1"; import -window root "$E2E_TMP/paused-b.png"
  moved=$(compare -metric AE "$E2E_TMP/paused-a.png" "$E2E_TMP/paused-b.png" null: 2>&1)
  [ "$moved" = 0 ]
}
# Paused once two screenshots in a row are equal; a second later it still is.
next_equal() { import -window root "$E2E_TMP/paused-a.png" && moved_after 0; }
wait_for 20 next_equal || fail "Space: the picture did not stop ($moved pixels changed between two screenshots)"
moved_after 1 || fail "Space: $moved pixels changed in a second of pause"
keys Escape
expect_clean_end "$pid" "curves.exe --window"
echo "curves.exe --window: framed picture, Alt+Enter covered the desktop and came back, Space froze it, Escape gave 0"

# ---- fullscreen refused: the offer of a window ----------------------------
app=$E2E_TMP/app
mkdir -p "$app"
cp "$build/bin/curves.exe" "$build/fake_ddraw/ddraw.dll" "$app/"
offer() {  # offer ANSWER: runs curves.exe on the refusing ddraw.dll, answers the box
  WINEDLLOVERRIDES=ddraw=n,b FAKE_DDRAW_MODES=8,15 FAKE_DDRAW_LOG=$E2E_TMP/ddraw.log \
    timeout -k 5 90 wine "$app/curves.exe" &
  pid=$!
  wait_window 30 curves >/dev/null || fail "no message box offering a window"
  keys "$1"
}
offer n
wait_for 10 bash -c "! kill -0 $pid" || fail "the program goes on after No"
wait "$pid"
status=$?
[ "$status" -eq 1 ] || fail "No: status $status, expected 1"
echo "fullscreen refused, No: status 1"

offer y
wait_for 30 xdotool search --name '^Velkrant$' || fail "Yes: no window"
shows "Yes: no checkerboard in a framed window" framed
keys Escape
expect_clean_end "$pid" "curves.exe in the offered window"
echo "fullscreen refused, Yes: the checkerboard in a window, Escape gave 0"
