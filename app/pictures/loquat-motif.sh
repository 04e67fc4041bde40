# The Loquat motif (a leaf behind three fruits) and the palette of the pictures, sourced by draw-pictures.sh
# and draw-icon.sh. Needs ImageMagick's convert; every helper draws into a picture file in place.
# shellcheck shell=bash disable=SC2034  # the palette is for the scripts that source this file

# Palette. Flat colours only: the 5-bit channels keep them close to what is written here.
paper="#FFFFFF"
ink="#1E2D3B"         # body text
ink_soft="#4A5866"    # credits and side notes
leaf="#36684A"        # title bars and headings
leaf_dark="#254B35"
leaf_light="#E8F1E8"  # panel fill
fruit="#E89A2C"
fruit_dark="#A8641A"
fruit_light="#F7CB73"
fruit_pale="#FCF0DA"  # panel fill
stem="#6B4A2B"
gap_red="#C8281E"     # the colour the lessons give a gap
box_edge="#8C8C8C"    # the dark edge of a lesson box

# draw PIC IM-DRAW-OPTIONS...: ImageMagick drawing options applied to the picture.
draw() {
  local pic=$1
  shift
  convert "$pic" "$@" "$pic"
}

# loquat_fruit PIC CX CY R: one loquat: an oval orange fruit with a light shine and the dark star of the
# dried flower at its tip.
loquat_fruit() {
  local pic=$1 cx=$2 cy=$3 r=$4
  local rx=$((r * 9 / 10)) shine=$((r / 3 + 1))
  draw "$pic" -fill "$fruit" -stroke "$fruit_dark" -strokewidth 2 -draw "ellipse $cx,$cy $rx,$r 0,360" \
    -stroke none -fill "$fruit_light" \
    -draw "ellipse $((cx - rx / 3)),$((cy - r / 3)) $shine,$((shine + 1)) 0,360" \
    -fill "$stem" -draw "circle $cx,$((cy + r - 2)) $((cx + r / 5 + 1)),$((cy + r - 2))"
}

# loquat_leaf PIC CX CY LENGTH ANGLE: a long dark green leaf with a pale middle vein.
loquat_leaf() {
  local pic=$1 cx=$2 cy=$3 len=$4 angle=$5
  draw "$pic" -fill "$leaf" -stroke "$leaf_dark" -strokewidth 2 \
    -draw "translate $cx,$cy rotate $angle ellipse 0,0 $len,$((len * 3 / 10)) 0,360" \
    -stroke "#8DB38F" -strokewidth 2 \
    -draw "translate $cx,$cy rotate $angle line $((2 - len)),0 $((len - 6)),0"
}

# loquat_cluster PIC X Y SCALE: the Loquat motif, a leaf behind three fruits on a short stem; (X, Y) is the
# top left of a square of about 80 * SCALE / 10 pixels.
loquat_cluster() {
  local pic=$1 x=$2 y=$3 s=$4
  loquat_leaf "$pic" $((x + 52 * s / 10)) $((y + 22 * s / 10)) $((26 * s / 10)) -35
  draw "$pic" -fill none -stroke "$stem" -strokewidth 3 \
    -draw "line $((x + 40 * s / 10)),$((y + 8 * s / 10)) $((x + 38 * s / 10)),$((y + 34 * s / 10))"
  loquat_fruit "$pic" $((x + 24 * s / 10)) $((y + 48 * s / 10)) $((17 * s / 10))
  loquat_fruit "$pic" $((x + 56 * s / 10)) $((y + 50 * s / 10)) $((17 * s / 10))
  loquat_fruit "$pic" $((x + 40 * s / 10)) $((y + 62 * s / 10)) $((17 * s / 10))
}
