#!/usr/bin/env bash
# The frames are the behaviour: draws the whole demo at 320x240 / 60 fps and
# checks the hash of every frame and chosen frames pixel by pixel against the
# references in tests/frames, then a few frames at 1024x768, and the first
# 20 s in windows of 427x240 and 320x300, whose pictures are those of 320x240. The references
# were made with Debian 12's Mesa; on another Mesa the test is skipped.
# usage: reference_frames_test.sh RENDERER FRAME_COMPARE DATA_DIR
# With REFERENCE_FRAMES_RECORD=1 it writes the references instead.
set -euo pipefail
renderer=$1 compare=$2 data=$3
refs=$(cd "$(dirname "$0")/frames" && pwd)
record=${REFERENCE_FRAMES_RECORD:-}

mesa=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)
if [ -z "$record" ] && [ "$mesa" != "$(cat "$refs/mesa-version")" ]; then
  echo "Mesa $mesa is not the one the reference frames were made with ($(cat "$refs/mesa-version")): skipped"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$data" "$work/data"
cd "$work"

# Moments: for every scene window shortly after its start, at a third, at two
# thirds and shortly before its end; and the projection hand-over at 155 s.
small_at=500,1000,3000,6000,8300,8800,9500,10500,11300,12300,13000,14000,14800,16000,21000,27000,32300
small_at=$small_at,32800,36000,40000,43300,43800,47000,50500,53800,54300,58000,61500,64800,65300,68500
small_at=$small_at,71500,74800,75300,78500,82500,85800,86300,91500,96500,101800,102300,105500,109500
small_at=$small_at,112800,113300,116500,119500,122800,123300,130500,137500,144800,145300,148500
small_at=$small_at,151500,154800,155050,155300,162500,169500,176800,177300,183000,189000,194800
large=(70000 107000 160000)

status=0
"$renderer" --size 320x240 --fps 60 --until 195000 --at "$small_at" --checksums checksums.txt \
  --out small >render.log 2>&1 || { cat render.log; exit 1; }
# Windows that are not 4:3 draw the same picture with black around it: wider
# (bars at the sides) and taller (above and below).
for size in 427x240 320x300; do
  "$renderer" --size $size --fps 60 --until 20000 --picture-checksums "picture-$size.txt" --out wide \
    >>render.log 2>&1 || { cat render.log; exit 1; }
done
for at in "${large[@]}"; do
  "$renderer" --size 1024x768 --fps 60 --from $((at - 1000)) --until "$at" --at "$at" --out large \
    >>render.log 2>&1 || { cat render.log; exit 1; }
done

if [ -n "$record" ]; then
  rm -f "$refs"/*.png
  for f in small/*.png; do cp "$f" "$refs/320x240_$(basename "$f")"; done
  for f in large/*.png; do cp "$f" "$refs/1024x768_$(basename "$f")"; done
  cp checksums.txt "$refs/checksums-320x240-60fps.txt"
  echo "$mesa" >"$refs/mesa-version"
  echo "references written to $refs"
  exit 0
fi

if ! cmp -s checksums.txt "$refs/checksums-320x240-60fps.txt"; then
  echo "frame hashes differ from the references at these demo times (first ten):"
  diff "$refs/checksums-320x240-60fps.txt" checksums.txt | grep '^>' | cut -c3- | head -n 10 || true
  echo "($(diff "$refs/checksums-320x240-60fps.txt" checksums.txt | grep -c '^>' || true) frames in all)"
  status=1
fi
for size in 427x240 320x300; do
  if ! cmp -s "picture-$size.txt" <(head -n "$(wc -l <"picture-$size.txt")" checksums.txt); then
    echo "$size: the picture differs from the 320x240 window's at these demo times (first ten):"
    diff <(head -n "$(wc -l <"picture-$size.txt")" checksums.txt) "picture-$size.txt" | grep "^>" | cut -c3- | head -n 10 || true
    status=1
  fi
done
for ref in "$refs"/*.png; do
  name=$(basename "$ref")
  size=${name%%_*}
  dir=small
  [ "$size" = 1024x768 ] && dir=large
  got="$dir/${name#*_}"
  if [ ! -f "$got" ]; then
    echo "$name: not drawn"
    status=1
  elif ! result=$("$compare" "$ref" "$got"); then
    echo "$name: $result"
    mkdir -p "${REFERENCE_FRAMES_KEEP:-/tmp/lumivane-frame-diffs}"
    cp "$got" "${REFERENCE_FRAMES_KEEP:-/tmp/lumivane-frame-diffs}/$name"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$(wc -l <checksums.txt) frame hashes, $(ls "$refs"/*.png | wc -l) frames and the pictures" \
  "of $(cat picture-*.txt | wc -l) frames of wider and taller windows identical"
exit $status
