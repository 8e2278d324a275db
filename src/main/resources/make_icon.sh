#!/bin/sh
# Builds the program's icon from its drawings: make_icon.sh SOURCE_DIR OUTPUT.ico
# Seven images: 48, 32 and 16 pixels in 16 colours for old displays, and 48, 32, 24 and 16
# pixels in 32-bit colour with alpha. The 16-pixel images come from a hand-drawn bitmap,
# the others from the scalable drawing. Needs rsvg-convert, ImageMagick's convert, icotool.
set -eu
src=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for size in 48 32 24; do
  rsvg-convert -w "$size" -h "$size" "$src/scourix.svg" -o "$tmp/$size.png"
done
convert "$src/scourix-16.xpm" "PNG32:$tmp/16.png"
# 16 colours hold one transparent entry (the icon's mask) and at most 15 others; no dither,
# which only speckles an image this small.
for size in 48 32 16; do
  convert "$tmp/$size.png" -channel A -threshold 50% +channel +dither -colors 15 \
    "PNG8:$tmp/$size-4bit.png"
done
icotool -c -o "$out" \
  -b 4 "$tmp/48-4bit.png" -b 4 "$tmp/32-4bit.png" -b 4 "$tmp/16-4bit.png" \
  -b 32 "$tmp/48.png" -b 32 "$tmp/32.png" -b 32 "$tmp/24.png" -b 32 "$tmp/16.png"
