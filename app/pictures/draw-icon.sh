#!/usr/bin/env bash
# Draws the program's icon, the fruit of the title picture, as a Windows icon file of 256, 48, 32 and 16 pixels.
#
# Usage: app/pictures/draw-icon.sh OUTPUT.ico   (the build runs it; it needs ImageMagick's convert)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:?usage: draw-icon.sh OUTPUT.ico}
command -v convert >/dev/null || {
  echo "draw-icon: ImageMagick's convert is missing; scripts/install-deps.sh installs it" >&2
  exit 1
}

# Palette, the draw helper and the loquat motif.
# shellcheck source=loquat-motif.sh
. "$here/loquat-motif.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The motif is drawn large on a transparent square and scaled down, so the small sizes stay smooth; its
# outlines, 2 pixels wide at any scale, then fade and leave the colours.
master="$work/master.png"
convert -size 560x560 xc:none "$master"
loquat_cluster "$master" 20 20 64
convert "$master" -trim +repage -background none -gravity center -extent 540x540 "$master"

sizes=(256 48 32 16)
frames=()
for size in "${sizes[@]}"; do
  convert "$master" -resize "${size}x${size}" -strip -define png:exclude-chunks=date,time "PNG32:$work/$size.png"
  frames+=("$work/$size.png")
done
convert "${frames[@]}" "$work/icon.ico"

# Every size must be in the file, or Windows scales another one and the icon looks blurred.
found=$(identify -format '%w ' "$work/icon.ico")
if [ "$found" != "256 48 32 16 " ]; then
  echo "draw-icon: the icon holds the sizes '$found' instead of 256 48 32 16" >&2
  exit 1
fi
mv "$work/icon.ico" "$out"
