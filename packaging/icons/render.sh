#!/usr/bin/env bash
# Renders the icon's PNG sizes from varnotek.svg (needs rsvg-convert, Debian's librsvg2-bin). The
# 16-pixel one is drawn on the pixel grid instead (needs ImageMagick), as the editor draws it when
# no icon is installed: a downscale of the picture blurs every edge at that size.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" varnotek.svg -o "varnotek-$size.png"
done
convert -size 16x16 xc:none +antialias \
    -fill '#1e326e' -draw 'rectangle 1,0 11,15' -fill white -draw 'rectangle 2,1 10,14' \
    -fill '#a0a0a0' -draw 'rectangle 3,3 4,4' -draw 'rectangle 3,6 4,7' -draw 'rectangle 3,9 4,10' \
    -draw 'rectangle 3,12 4,13' \
    -fill '#282828' -draw 'rectangle 6,3 8,4' -fill '#8080ff' -draw 'rectangle 6,6 7,7' \
    -fill '#00b000' -draw 'rectangle 6,9 9,10' -fill '#ff3030' -draw 'rectangle 6,12 8,13' \
    -fill '#96a0af' -draw 'rectangle 13,3 13,6' -fill '#5a6478' -draw 'rectangle 12,7 14,15' \
    -fill '#dce1eb' -draw 'rectangle 13,7 13,15' \
    -define png:exclude-chunks=date,time PNG32:varnotek-16.png
