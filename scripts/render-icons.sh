#!/usr/bin/env bash
# Renders the program's icon (desktop/icons/quillmark.svg, drawn here) into the PNG sizes the
# installation puts in the hicolor theme. Run by hand after changing the drawing; needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for s in 16 24 32 48 64 128 256; do
  convert -background none -density 96 quillmark.svg -resize "${s}x${s}" -depth 8 "quillmark-$s.png"
done
