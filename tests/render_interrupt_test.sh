#!/usr/bin/env bash
# lumivane-render stops at the next frame on SIGTERM (SDL turns it into a quit
# event), prints what it measured so far and exits with status 1.
# usage: render_interrupt_test.sh RENDERER DATA_DIR
set -euo pipefail
renderer=$1 data=$2
work=$(mktemp -d)
trap 'kill -9 "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
ln -s "$data" "$work/data"
cd "$work"
"$renderer" --size 320x240 --fps 60 --until 195000 --out frames --times times.csv >out.txt 2>err.txt &
pid=$!
for _ in $(seq 600); do  # until a few frames are drawn, at most 60 s
  [ -f times.csv ] && [ "$(wc -l <times.csv)" -gt 5 ] && break
  sleep 0.1
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
frames=$(($(wc -l <times.csv) - 1))
grep -q "interrupted at" err.txt || { echo "no interruption message:"; cat err.txt; exit 1; }
[ "$status" -eq 1 ] || { echo "exit status $status, want 1"; exit 1; }
[ "$frames" -gt 5 ] && [ "$frames" -lt 11700 ] || { echo "$frames frames drawn"; exit 1; }
grep -q "^whole run" out.txt || { echo "no statistics:"; cat out.txt; exit 1; }
echo "stopped after $frames frames"
