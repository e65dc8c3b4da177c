# Helpers of the fullscreen display tests: the test pattern's colours and a
# screenshot check. Source after lib.sh.

# pattern_rgb COLUMN ROW: "R G B" of the pattern block (test_pattern.h).
pattern_rgb() {
  local reds=(7 39 71 103 135 167 199 255) greens=(3 87 171 255)
  echo "${reds[$1]} ${greens[$2]} $(( (0xE5 - 0x1C * $1 + 0x31 * $2) & 0xFF ))"
}

# screen_pixels FILE X,Y ...: "R G B" of each point, one line each.
screen_pixels() {
  local file=$1 format="" p; shift
  for p in "$@"; do format+="%[pixel:p{$p}]\n"; done
  convert "$file" -format "$format" info: | sed -E 's/^[a-z]+a?\(([0-9]+),([0-9]+),([0-9]+).*$/\1 \2 \3/'
}

# 16-bit 5-6-5 screens show channels truncated to 5 or 6 bits, widened back
# to 8 by shifting, by repeating the top bits, or by scaling to 255 (Wine).
widened() {  # VALUE BITS -> the three widenings
  local v=$(( $1 >> (8 - $2) )) max=$(( (1 << $2) - 1 ))
  echo "$(( v << (8 - $2) )) $(( (v << (8 - $2)) | (v >> ($2 - (8 - $2))) )) $(( (v * 255 + max / 2) / max ))"
}
channel_ok() {  # MODE ACTUAL EXPECTED BITS
  [ "$1" = exact ] && { [ "$2" -eq "$3" ]; return; }
  local w
  for w in $(widened "$3" "$4"); do [ "$2" -eq "$w" ] && return 0; done
  return 1
}

# check_pattern FILE X0 Y0 SCALE MODE: the 8 x 4 blocks of the pattern shown
# with its top left at (X0, Y0), each pattern pixel SCALE screen pixels;
# MODE exact (32 bits) or rgb565. Prints what differs; status 1 if any.
check_pattern() {
  local file=$1 x0=$2 y0=$3 scale=$4 mode=$5 points=() i j bad=0
  for j in 0 1 2 3; do for i in 0 1 2 3 4 5 6 7; do
    points+=("$((x0 + (i * 40 + 20) * scale)),$((y0 + (j * 50 + 25) * scale))")
  done; done
  local n=0 line r g b er eg eb
  while read -r r g b; do
    i=$((n % 8)); j=$((n / 8)); n=$((n + 1))
    read -r er eg eb <<<"$(pattern_rgb $i $j)"
    if ! channel_ok "$mode" "$r" "$er" 5 || ! channel_ok "$mode" "$g" "$eg" 6 || ! channel_ok "$mode" "$b" "$eb" 5; then
      echo "block $i,$j at ${points[n - 1]}: $r $g $b, expected $er $eg $eb ($mode)" >&2
      bad=1
    fi
  done < <(screen_pixels "$file" "${points[@]}")
  [ "$n" -eq 32 ] || { echo "read $n of 32 points" >&2; return 1; }
  return $bad
}
