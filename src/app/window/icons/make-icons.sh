#!/usr/bin/env bash
# Draws the program's icon with ImageMagick: a mountain with a snow cap above
# water, on a transparent ground, drawn on a board of 32 x 32 units and scaled
# for each size. Drawn without antialiasing, so the small images use only
# colours of the standard 16-colour palette (or black and white).
#   gipfelfluss.ico           32 x 32 in 2 colours, 32 x 32 and 16 x 16 in 16 colours
#   hicolor/NxN/apps/*.png    the desktop icon theme's sizes, antialiased
# Run it from anywhere; it writes beside itself.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw SIZE OUT ANTIALIAS MOUNTAIN SNOW WATER WAVE OUTLINE
draw() {
    local size=$1 out=$2 aa=$3 mountain=$4 snow=$5 water=$6 wave=$7 outline=$8
    local s
    s=$(awk -v n="$size" 'BEGIN { printf "%.6f", n / 32 }')
    convert -size "${size}x${size}" xc:none "${aa}antialias" -affine "$s,0,0,$s,0,0" \
        -stroke "$outline" -strokewidth 1 -fill "$mountain" -draw 'polygon 1,24 11,4 16,12 20,8 31,24' \
        -stroke none -fill "$snow" -draw 'polygon 11,5 7.5,12 10.5,10.5 12.5,12 14.5,10' \
        -fill "$water" -draw 'rectangle 0,23 32,32' \
        -stroke "$wave" -strokewidth 2 -fill none -draw 'line 3,27 12,27' -draw 'line 18,27 27,27' \
        -draw 'line 8,30 22,30' \
        -strip "$out"
}

grey='rgb(128,128,128)' blue='rgb(0,0,255)' navy='rgb(0,0,128)'
draw 32 "$work/c16-32.png" + "$grey" white "$blue" white black
draw 16 "$work/c16-16.png" + "$grey" white "$blue" white black
draw 32 "$work/c2-32.png" + white white black white black
for image in c2-32 c16-32 c16-16; do convert "$work/$image.png" -depth 8 "rgba:$work/$image.rgba"; done
python3 write-ico.py gipfelfluss.ico "$work/c2-32.rgba:32:1" "$work/c16-32.rgba:32:4" "$work/c16-16.rgba:16:4"

for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    draw "$size" "hicolor/${size}x${size}/apps/gipfelfluss.png" - "$grey" white "$blue" white "$navy"
done
