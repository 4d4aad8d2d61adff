#!/usr/bin/env bash
# Renders the icon's PNG sizes from varnotek.svg (needs rsvg-convert, Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" varnotek.svg -o "varnotek-$size.png"
done
