# Helpers of the curve-effect end-to-end tests. Source after lib.sh.
#
# The build under test is $E2E_BUILD (set it before use).
#   effect_colours PROGRAM         the two checkerboard colours, as RRGGBB
#   check_effect_shot FILE PROGRAM the 320x200 frame at the top left of the
#                                  screenshot shows PROGRAM's checkerboard (and
#                                  for splines the counter); says what is
#                                  wrong and returns 1 otherwise
#   shoot_until_shown FILE PROGRAM screenshots until one passes (a flash frame
#                                  or an arc over the counter may hide them),
#                                  for 20 s at most
#   shoot_and_keep FILE PROGRAM KEPT  the same, keeping the shot as KEPT.png

# The two commonest colours of the program's own still frame at 1 s (a
# plain checkerboard frame with the ring over it, never a flash), written by
# the build under test: natively a PNG, an exe under Wine a BMP.
effect_colours() {
  local program=$1 still exe=$E2E_BUILD/bin/$1
  if [ -x "$exe" ]; then
    still=$E2E_TMP/$program-still.png
    [ -f "$still" ] || "$exe" --frame 1000 "$still" >/dev/null || fail "$program: no still frame"
  else
    still=$E2E_TMP/$program-still.bmp
    [ -f "$still" ] || wine_run 60 "$exe.exe" --frame 1000 "$still" >/dev/null 2>&1 ||
      fail "$program.exe: no still frame"
  fi
  convert "$still" -format %c histogram:info:- | sort -rn | head -2 |
    sed -n 's/.* #\([0-9A-Fa-f]\{6\}\) .*/\1/p' | tr 'a-f\n' 'A-F '
}

# colour_count FILE RRGGBB: pixels of exactly that colour in the frame area.
colour_count() {
  convert "$1" -crop 320x200+0+0 +repage -format %c histogram:info:- |
    awk -v want="#$2" 'toupper($3) == toupper(want) { sub(":", "", $1); n = $1 } END { print n + 0 }'
}

check_effect_shot() {
  local file=$1 program=$2 colours colour n bad=0
  colours=$(effect_colours "$program")
  set -- $colours
  if [ $# -ne 2 ]; then
    echo "$program: its still frame gave no two colours ('$colours')" >&2
    return 1
  fi
  for colour in $colours; do
    n=$(colour_count "$file" "$colour")
    # Each colour fills half the squares; the arcs and the counter cover little.
    if [ "$n" -lt 20000 ]; then
      echo "$program: only $n pixels of #$colour on screen" >&2
      bad=1
    fi
  done
  if [ "$program" = splines ]; then
    # "Splines: 6" at (2, 2), half-transparent black over the checkerboard,
    # exactly as in the reference image of the top-left 74x18 pixels.
    convert "$file" -crop 74x18+0+0 +repage "$file.counter.png"
    n=$(compare -metric AE "$file.counter.png" "$(dirname "${BASH_SOURCE[0]}")/effects_splines_counter.png" null: 2>&1)
    if [ "$n" != 0 ]; then
      echo "splines: the counter area differs from \"Splines: 6\" in $n pixels" >&2
      bad=1
    fi
  fi
  return $bad
}

# shoot_and_keep FILE PROGRAM KEPT: shoot_until_shown, then keep the shot as
# KEPT.png for a person to look at; KEPT-failed.png and fail when not shown.
shoot_and_keep() {
  if ! shoot_until_shown "$1" "$2"; then
    cp "$1" "$3-failed.png"
    fail "$2: the screen does not show the scene (kept as $3-failed.png)"
  fi
  cp "$1" "$3.png"
}

shot_shows_effect() { import -window root "$1" 2>/dev/null && check_effect_shot "$1" "$2" 2>"$1.why"; }
shoot_until_shown() {
  wait_for 20 shot_shows_effect "$1" "$2" && return 0
  cat "$1.why" >&2
  return 1
}
