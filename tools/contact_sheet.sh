#!/usr/bin/env bash
# Draws one frame of each of the fifteen scenes with lumivane-render (one run
# at 60 frames per second, so every frame is the one a real run shows) and
# lays them out, labelled, in one picture with ImageMagick's montage.
# usage: tools/contact_sheet.sh [RENDERER] [OUT.png]
#   defaults: build/lumivane-render, docs/contact-sheet.png
set -euo pipefail
cd "$(dirname "$0")/.."
renderer=$(readlink -f "${1:-build/lumivane-render}")
out=${2:-docs/contact-sheet.png}
command -v montage >/dev/null || { echo "needs ImageMagick's montage (Debian: imagemagick)"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# demo time in ms and the scene's name, in the order of the demo
scenes=(
  21000 "Desert dunes" 10000 "Group logo" 13500 "Presents" 38000 "Night ocean" 48000 "Flickering lamp"
  59500 "Wishing lamp" 70000 "Flower" 80500 "Ball" 94000 "Member credits" 107500 "Industrial gears"
  118000 "Fog tunnel" 134000 "Photo cylinder" 150000 "Space flight" 166000 "Greetings spiral"
  185000 "Closing credits"
)
at=""
for ((i = 0; i < ${#scenes[@]}; i += 2)); do at=$at${at:+,}${scenes[i]}; done
run=("$renderer" --size 320x240 --fps 60 --until "${scenes[-2]}" --at "$at" --out "$tmp")
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}" >/dev/null
else
  SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}" >/dev/null
fi

tiles=()
for ((i = 0; i < ${#scenes[@]}; i += 2)); do
  tiles+=(-label "${scenes[i + 1]}" "$tmp/frame_$(printf %06d "${scenes[i]}").png")
done
montage "${tiles[@]}" -tile 5x3 -geometry +4+4 -background '#101014' -fill '#e8e8f0' \
  -font DejaVu-Sans -pointsize 14 "$tmp/sheet.png"
mkdir -p "$(dirname "$out")"
# 256 colours without dithering keep the sheet at a few hundred KB.
convert "$tmp/sheet.png" -depth 8 +dither -colors 256 -define png:compression-level=9 "$out"
echo "$out: $(du -k "$out" | cut -f1) KB"
