#!/usr/bin/env bash
# Draws the five pictures of the lessons program (credits, logo, About Sounds, Articles, Proverbs) as PNGs.
#
# Usage: app/pictures/draw-pictures.sh [OUTPUT_DIR]   (default: the folder this script lives in)
#
# Every picture is quantised to 5 bits per channel at the end, because the program stores and shows 15-bit
# pixels: the committed PNG is then exactly what a learner sees.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
out_dir=$(mkdir -p "${1:-$here}" && cd "${1:-$here}" && pwd)

"$repo/scripts/install-content-tools.sh"

fonts=/usr/share/fonts/truetype/liberation2
sans="$fonts/LiberationSans-Regular.ttf"
sans_bold="$fonts/LiberationSans-Bold.ttf"
sans_italic="$fonts/LiberationSans-Italic.ttf"
serif_bold="$fonts/LiberationSerif-Bold.ttf"
for font in "$sans" "$sans_bold" "$sans_italic" "$serif_bold"; do
  [ -f "$font" ] || {
    echo "draw-pictures: font $font is missing; install the Debian package fonts-liberation2" >&2
    exit 1
  }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Palette, the draw helper and the loquat motif.
# shellcheck source=loquat-motif.sh
. "$here/loquat-motif.sh"

# ---------------------------------------------------------------------------------------------------------
# Shared helpers. Each one draws into the picture file PIC in place.

# new_picture PIC WIDTH HEIGHT [COLOUR]
new_picture() {
  convert -size "$2x$3" "xc:${4:-$paper}" "$1"
}

# text_block PIC X Y WIDTH SIZE COLOUR FONT TEXT: word-wrapped text whose top left is at (X, Y). "\n" in
# TEXT breaks a line. Prints the y just below the block, so blocks can be stacked.
text_block() {
  local pic=$1 x=$2 y=$3 width=$4 size=$5 colour=$6 font=$7 text=$8
  local piece="$work/piece.png"
  convert -background none -fill "$colour" -font "$font" -pointsize "$size" -interline-spacing 2 \
    -size "${width}x" caption:"$text" "$piece"
  convert "$pic" "$piece" -geometry "+$x+$y" -composite "$pic"
  echo $((y + $(identify -format %h "$piece")))
}

# text_line PIC X TOP SIZE COLOUR FONT TEXT [GRAVITY]: one line of text. With GRAVITY North, X is an
# offset from the centre of the picture.
text_line() {
  local gravity=${8:-NorthWest}
  draw "$1" -gravity "$gravity" -fill "$5" -font "$6" -pointsize "$4" -annotate "+$2+$3" "$7"
}

# text_width SIZE FONT TEXT: the width in pixels of one line of text.
text_width() {
  convert -font "$2" -pointsize "$1" label:"$3" -format %w info:
}

# title_bar PIC WIDTH TITLE: the band at the top of every About screen, with a small fruit at its right end.
title_bar() {
  local pic=$1 width=$2 title=$3
  draw "$pic" -fill "$leaf" -draw "rectangle 0,0 $((width - 1)),45" \
    -fill "$fruit" -draw "rectangle 0,46 $((width - 1)),49"
  text_line "$pic" 18 8 27 white "$sans_bold" "$title"
  loquat_cluster "$pic" $((width - 60)) 3 5
}

# intro PIC TEXT: the one-line summary under the title bar.
intro() {
  text_block "$1" 12 56 456 15 "$ink" "$sans" "$2" >/dev/null
}

# panel PIC X0 Y0 X1 Y1 FILL: a rounded panel that groups one topic.
panel() {
  draw "$1" -fill "$6" -stroke "$leaf" -strokewidth 2 -draw "roundrectangle $2,$3 $4,$5 8,8"
}

# heading PIC X Y TEXT: a topic heading inside a panel. Prints the y just below it.
heading() {
  text_line "$1" "$2" "$3" 17 "$leaf_dark" "$sans_bold" "$4"
  echo $(($3 + 24))
}

# lesson_box PIC X Y CAPTION [SIZE]: a small copy of the clickable box of the lessons (white face, light
# top-left edge, grey bottom-right edge, navy caption). Prints the x just right of it.
lesson_box() {
  local pic=$1 x=$2 y=$3 caption=$4 size=${5:-15}
  local w h
  w=$(($(text_width "$size" "$sans" "$caption") + size))
  h=$((size + 10))
  draw "$pic" -fill white -stroke "$box_edge" -strokewidth 2 -draw "rectangle $x,$y $((x + w)),$((y + h))" \
    -stroke "#D8D8D8" -draw "line $((x + 1)),$((y + 1)) $((x + w - 1)),$((y + 1))" \
    -draw "line $((x + 1)),$((y + 1)) $((x + 1)),$((y + h - 1))"
  text_line "$pic" $((x + size / 2)) $((y + 4)) "$size" "#000064" "$sans" "$caption"
  echo $((x + w))
}

# step PIC X Y WIDTH BOX TEXT: one step of a how-to list: a lesson box, then what to do with it. BOX may hold
# several captions separated by "|". Prints the y below the step.
step() {
  local pic=$1 x=$2 y=$3 width=$4 boxes=$5 text=$6
  local caption bx=$x text_x=$((x + 54)) below
  IFS='|' read -r -a captions <<<"$boxes"
  for caption in "${captions[@]}"; do
    bx=$(($(lesson_box "$pic" "$bx" "$y" "$caption") + 4))
  done
  [ "$bx" -gt $((text_x - 6)) ] && text_x=$((bx + 4))
  below=$(text_block "$pic" "$text_x" $((y + 4)) $((x + width - text_x)) 14 "$ink" "$sans" "$text")
  [ "$below" -lt $((y + 25)) ] && below=$((y + 25))
  echo $((below + 5))
}

# finish PIC NAME WIDTH HEIGHT: quantises PIC to 5 bits per channel the way the program stores it, writes
# it as OUT_DIR/NAME and checks its size.
finish() {
  local pic=$1 name=$2 width=$3 height=$4
  quantise "$pic" "$out_dir/$name"
  local size
  size=$(identify -format '%wx%h' "$out_dir/$name")
  if [ "$size" != "${width}x${height}" ]; then
    echo "draw-pictures: $name is $size, it must be ${width}x${height}; fix its drawing function" >&2
    exit 1
  fi
  quantise "$out_dir/$name" "$work/again.png"
  if [ "$(compare -metric AE "$out_dir/$name" "$work/again.png" null: 2>&1)" != 0 ]; then
    echo "draw-pictures: $name changes when quantised again; the 5-bit rounding is broken" >&2
    exit 1
  fi
  echo "drew $name ($size)"
}

# quantise IN OUT: each channel to 5 bits (nearest level), then widened back to 8 bits as Windows shows a
# 15-bit pixel (c << 3 | c >> 2), written as a plain 24-bit PNG without dates, so redrawing is repeatable.
# The mapping is built once as a 256-entry table: -fx on every pixel takes seconds per picture.
levels="$work/levels.png"
convert -size 256x1 xc:black -fx 'q = floor(i * 31 / 255 + 0.5); (q * 8 + floor(q / 4)) / 255' -depth 8 \
  "$levels"
quantise() {
  convert "$1" -alpha off -interpolate Integer "$levels" -clut \
    -strip -define png:exclude-chunks=date,time "PNG24:$2"
}

# ---------------------------------------------------------------------------------------------------------
# The pictures.

# Resource 1: the title and credits screen, shown at start and by About Loquat.
draw_credits() {
  local pic="$work/credits.png" y
  new_picture "$pic" 480 359
  draw "$pic" -fill "$fruit_pale" -draw "rectangle 0,0 479,129" -fill "$fruit" -draw "rectangle 0,130 479,133"
  loquat_cluster "$pic" 52 14 13
  text_line "$pic" 170 10 62 "$leaf_dark" "$serif_bold" "Loquat"
  text_line "$pic" 174 82 20 "$ink" "$sans" "English lessons"
  text_line "$pic" 330 86 15 "$ink_soft" "$sans" "version 1.2"

  y=$(text_block "$pic" 36 146 408 17 "$ink" "$sans" \
    "Practise the English articles, rebuild well-known proverbs, and train your ear to hear 'L' and 'R'.")
  panel "$pic" 36 $((y + 8)) 443 $((y + 62)) "$leaf_light"
  text_line "$pic" 0 $((y + 16)) 20 "$leaf_dark" "$sans_bold" "Choose a lesson from the menus above." North
  text_line "$pic" 0 $((y + 40)) 15 "$ink" "$sans" "Articles  ·  Proverbs  ·  Sounds" North

  draw "$pic" -fill "#D9DED9" -draw "rectangle 36,$((y + 76)) 443,$((y + 77))"
  local credits="Program: built by the Loquat team."
  credits+="\nVoices: Rowan and Maren are synthetic voices, made with Debian's speech software."
  credits+="\nFonts: the Liberation fonts."
  text_block "$pic" 36 $((y + 84)) 408 13 "$ink_soft" "$sans" "$credits" >/dev/null
  finish "$pic" picture1-credits.png 480 359
}

# Resource 3: the logo drawn at (118, 90) on the lesson canvas; its white background matches the canvas.
draw_logo() {
  local pic="$work/logo.png"
  new_picture "$pic" 234 93
  loquat_cluster "$pic" 6 6 10
  text_line "$pic" 88 11 44 "$leaf_dark" "$serif_bold" "Loquat"
  draw "$pic" -fill "$fruit" -draw "rectangle 90,64 226,66"
  text_line "$pic" 91 70 14 "$ink" "$sans" "English lessons"
  finish "$pic" picture3-logo.png 234 93
}

# Resource 64: About Sounds, the listening lessons.
draw_about_sounds() {
  local pic="$work/sounds.png" y x
  new_picture "$pic" 480 360
  title_bar "$pic" 480 "About Sounds"
  intro "$pic" "Glass or grass? Long or wrong? Learn to hear 'L' and 'R'."

  panel "$pic" 12 84 246 193 "$fruit_pale"
  y=$(heading "$pic" 24 92 "Compare")
  y=$(text_block "$pic" 24 "$y" 216 14 "$ink" "$sans" "Sounds > L/R 1 - Compare")
  y=$(text_block "$pic" 24 $((y + 4)) 216 14 "$ink" "$sans" "Click any word to hear it.")
  x=$(lesson_box "$pic" 40 $((y + 6)) "Glass")
  lesson_box "$pic" $((x + 14)) $((y + 6)) "Grass" >/dev/null

  panel "$pic" 256 84 468 193 "$leaf_light"
  y=$(heading "$pic" 268 92 "Voices")
  text_block "$pic" 268 "$y" 192 14 "$ink" "$sans" \
    "Rowan and Maren say the words. Choose one, or Both, in Sounds > Choose Voice." >/dev/null

  panel "$pic" 12 201 468 351 "$paper"
  heading "$pic" 24 209 "Test" >/dev/null
  text_line "$pic" 72 212 14 "$ink" "$sans" "Sounds > L/R 1 - Test (and 2, 3, L/R Test All)"
  y=$(step "$pic" 24 237 196 "start" "Begin the test.")
  y=$(step "$pic" 24 "$y" 196 "play" "Listen to the word.")
  step "$pic" 24 "$y" 230 "Glass|Grass" "Click the word you heard." >/dev/null
  y=$(step "$pic" 262 237 196 "?" "Hear it again.")
  step "$pic" 262 "$y" 196 "next" "Go on. Your score is shown at the end." >/dev/null
  finish "$pic" picture64-about-sounds.png 480 360
}

# gapped_sentence PIC TOP TEXT: a sentence centred on the canvas as the lessons draw it, navy words with
# every open gap "_" in red.
gapped_sentence() {
  local pic=$1 top=$2 text=$3 size=22
  local left=$(((480 - $(text_width "$size" "$sans" "$text")) / 2)) done_text="" part colour x
  # Each part starts where the text before it ends, measured as a whole, so kerning and spaces add up.
  while [ -n "$text" ]; do
    if [ "${text:0:1}" = "_" ]; then
      part="_" colour=$gap_red
    else
      part=${text%%_*} colour=$ink
    fi
    text=${text:${#part}}
    # Text drawing drops leading spaces, so they are counted into the text before the part.
    while [ "${part:0:1}" = " " ]; do
      done_text+=" " part=${part:1}
    done
    x=$left
    [ -n "$done_text" ] && x=$((left + $(text_width "$size" "$sans" "$done_text")))
    [ -n "$part" ] && text_line "$pic" "$x" "$top" "$size" "$colour" "$sans" "$part"
    done_text+=$part
  done
}

# example_panel PIC SENTENCE NOTE CAPTION...: the top panel of About Articles and About Proverbs: an item
# as the lessons draw it, its choice boxes centred below, and a note on what they show.
example_panel() {
  local pic=$1 sentence=$2 note=$3
  shift 3
  local caption width=-12 x
  for caption in "$@"; do
    width=$((width + $(text_width 16 "$sans" "$caption") + 16 + 12))
  done
  panel "$pic" 12 84 468 178 "$fruit_pale"
  gapped_sentence "$pic" 92 "$sentence"
  x=$((240 - width / 2))
  for caption in "$@"; do
    x=$(($(lesson_box "$pic" "$x" 124 "$caption" 16) + 12))
  done
  text_block "$pic" 24 156 432 13 "$ink_soft" "$sans_italic" "$note" >/dev/null
}

# Resource 65: About Articles. 482 pixels wide: the last two columns fall outside the canvas, so nothing is
# drawn there that matters.
draw_about_articles() {
  local pic="$work/articles.png" y
  new_picture "$pic" 482 361
  title_bar "$pic" 482 "About Articles"
  intro "$pic" "When do you use a, an, the, some or any? And when no article at all?"
  example_panel "$pic" "Paris is  _  capital of France." \
    "The boxes hold the choices. The star * means: no article here." a an "*" the some any

  panel "$pic" 12 186 226 350 "$leaf_light"
  y=$(heading "$pic" 24 194 "The lessons")
  y=$(text_block "$pic" 24 "$y" 194 14 "$ink" "$sans" "1-5 and 10-12: a rule, then examples.")
  y=$(text_block "$pic" 24 $((y + 8)) 194 14 "$ink" "$sans" \
    "6-9 and 13-15: practice sets that mix the rules.")
  text_block "$pic" 24 $((y + 8)) 194 14 "$ink" "$sans" "16: all the articles together." >/dev/null

  panel "$pic" 236 186 468 350 "$paper"
  y=$(heading "$pic" 248 194 "How to answer")
  y=$(step "$pic" 248 "$y" 212 "the" "Click the right box to fill the gap.")
  y=$(step "$pic" 248 "$y" 212 "?" "Read why it is right.")
  step "$pic" 248 "$y" 212 "next" "Go on. Your score is shown at the end." >/dev/null
  finish "$pic" picture65-about-articles.png 482 361
}

# Resource 66: About Proverbs. 484 pixels wide: the last four columns fall outside the canvas.
draw_about_proverbs() {
  local pic="$work/proverbs.png" y
  new_picture "$pic" 484 360
  title_bar "$pic" 484 "About Proverbs"
  intro "$pic" "A proverb is a short, well-known saying. Build it again, word by word."
  example_panel "$pic" "Out of sight,  _   _   _ ." \
    "Out of sight, out of mind: \"out\" and \"of\" come twice, so click them twice." mind sight of out

  panel "$pic" 12 186 226 350 "$leaf_light"
  y=$(heading "$pic" 24 194 "Levels")
  y=$(text_block "$pic" 24 "$y" 194 14 "$ink" "$sans" "1-2  Elementary")
  y=$(text_block "$pic" 24 $((y + 8)) 194 14 "$ink" "$sans" "3-7  Intermediate")
  y=$(text_block "$pic" 24 $((y + 8)) 194 14 "$ink" "$sans" "8-13  Advanced")
  text_block "$pic" 24 $((y + 16)) 194 14 "$ink" "$sans" "Start with level 1 and go up." >/dev/null

  panel "$pic" 236 186 468 350 "$paper"
  y=$(heading "$pic" 248 194 "How to play")
  y=$(step "$pic" 248 "$y" 212 "start" "Begin the set.")
  y=$(step "$pic" 248 "$y" 212 "out" "Click the words in order, one for each gap.")
  step "$pic" 248 "$y" 212 "next" "Go on. Your score is shown at the end." >/dev/null
  finish "$pic" picture66-about-proverbs.png 484 360
}

draw_credits
draw_logo
draw_about_sounds
draw_about_articles
draw_about_proverbs
