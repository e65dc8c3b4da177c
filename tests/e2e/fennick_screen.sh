# Helpers of the fennick end-to-end tests: what a screenshot shows.
#   screen_fractions FILE  prints "BLACK GREEN YELLOW": the fractions of
#                          pixels that are black, green-blue like the outer
#                          contours (0x107040) and yellow like the inner ones
#                          (0x707010)
#   shows_contours FILE [MIN_BLACK]
#                          true when the shot has both kinds of line on a
#                          background that is at least MIN_BLACK (default
#                          0.5) black

screen_fractions() {
  # Sampling keeps pixels unblended; lines on screen are at least 2 wide.
  convert "$1" -alpha off -sample 50% \
    \( -clone 0 -fx 'r+g+b < 0.03 ? 1 : 0' \) \
    \( -clone 0 -fx 'g > r + 0.12 && g > b + 0.05 && b > r + 0.03 ? 1 : 0' \) \
    \( -clone 0 -fx 'r > b + 0.12 && g > b + 0.12 ? 1 : 0' \) \
    -delete 0 -format '%[fx:mean] ' info: 2>/dev/null
}

# wine_desktop_contours SHOT: waits for Wine's virtual desktop window (its
# id goes to $desktop) to show fennick's contour lines, the last screenshot
# in SHOT; fails after a minute.
wine_desktop_contours() {
  local shot=$1
  desktop=$(wait_window 60 'Default - Wine desktop') || fail "no Wine desktop window"
  wait_for 60 wine_desktop_shot_has_contours "$shot" ||
    fail "no contour lines on the desktop ($(screen_fractions "$shot"))"
}
wine_desktop_shot_has_contours() { import -window "$desktop" "$1" 2>/dev/null && shows_contours "$1" 0.15; }

shows_contours() {
  local black green yellow
  read -r black green yellow < <(screen_fractions "$1")
  awk -v k="$black" -v g="$green" -v y="$yellow" -v min="${2:-0.5}" \
    'BEGIN { exit !(k > min && g > 0.002 && y > 0.0005) }'
}
