#!/usr/bin/env bash
# Draws the bundled sample card set: cards of the a, b and c passes, each a small JPEG in a
# colour of its own with its name on it, and a few entries that must not show as cards.
set -euo pipefail
set_dir="$(cd "$(dirname "$0")/.." && pwd)/examples/sample-set"
data="$set_dir/data"
rm -rf "$set_dir"
mkdir -p "$data"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
i=0
for name in a0001 a0002 a0003 a0004 a0005 a0006 a0007 a0008 \
            b0001 b0002 b0003 b0004 b0005 b0006 \
            c0001 c0002 c0003 c0004 c0005 c0006; do
  hue=$(( (i * 37) % 360 ))
  mkdir -p "$data/$name"
  convert -size 172x252 "xc:hsl($hue,70%,45%)" -fill white -stroke black -strokewidth 1 \
    -font "$font" -pointsize 30 -gravity center -annotate 0 "$name" \
    -quality 85 "$data/$name/${name}c.jpg"
  i=$((i + 1))
done
# Entries the gallery leaves out: a file with a card's name, another letter, a six-character name.
echo "not a card" > "$data/a0009"
mkdir -p "$data/d0001" "$data/a00010"
echo "Sample card set drawn by tools/make_sample_set.sh." > "$set_dir/README.txt"
