#!/usr/bin/env bash
# Draws the program icon, a fan of three cards, in every size the desktop asks for.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/resources/icons"
mkdir -p "$out"
card() { # colour angle
  echo "push graphic-context translate 128,214 rotate $2 fill '$1' stroke '#ffef00' stroke-width 6 roundrectangle -46,-176 46,-40 10,10 pop graphic-context"
}
convert -size 256x256 xc:none -fill '#1b1b1b' -draw 'circle 128,128 128,4' \
  -draw "$(card '#2f6fd6' -28)" -draw "$(card '#2aa54a' 0)" -draw "$(card '#d63a2f' 28)" \
  PNG32:"$out/selvara-card-viewer-256.png"
for size in 16 24 32 48 64 128; do
  convert "$out/selvara-card-viewer-256.png" -resize ${size}x${size} PNG32:"$out/selvara-card-viewer-$size.png"
done
