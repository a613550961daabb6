#!/bin/sh
# Renders the PNG sizes of the icon from selvora.svg (needs rsvg-convert from
# librsvg2-bin). The PNGs are kept in the repository, so a build needs no
# renderer; run this after changing the drawing.
set -e
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" selvora.svg -o "selvora-$size.png"
done
