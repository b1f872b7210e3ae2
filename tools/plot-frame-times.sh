#!/usr/bin/env bash
# Plots the frame times written by `lumivane-render --times FILE.csv` over the
# demo, with the 16.7 ms line of 60 frames per second, as a PNG (gnuplot).
# usage: tools/plot-frame-times.sh TIMES.csv OUT.png [TITLE]
set -euo pipefail
if [ $# -lt 2 ] || [ "$1" = "--help" ]; then
  echo "usage: $0 TIMES.csv OUT.png [TITLE]" >&2
  exit 2
fi
csv=$1 png=$2 title=${3:-Frame times}
command -v gnuplot >/dev/null || { echo "$0: gnuplot is not installed (Debian: gnuplot-nox)" >&2; exit 1; }
[ -r "$csv" ] || { echo "$0: cannot read $csv" >&2; exit 1; }
[ "$(head -n 1 "$csv")" = "demo_ms,scene,ms" ] || { echo "$0: $csv is not a --times file" >&2; exit 1; }
[ "$(wc -l <"$csv")" -gt 1 ] || { echo "$0: $csv holds no frames" >&2; exit 1; }

# Scene starts become labelled ticks along the top edge.
tics=$(awk -F, 'NR > 1 && $2 != "no scene" && $2 != last {
         split($2, name, " "); printf "%s\"%s\" %.3f", sep, name[1], $1 / 1000; sep = ", "; last = $2 }' "$csv")

gnuplot <<GNUPLOT
set terminal pngcairo size 1600,600 font "DejaVu Sans,10"
set output "$png"
set datafile separator ","
set title "$title"
set xlabel "demo time (s)"
set ylabel "frame time (ms)"
set x2tics rotate by 40 left font ",8" ($tics)
set x2range [0:*]
set xrange [0:*]
set link x2
set yrange [0:*]
set grid ytics
set key top left
plot "$csv" every ::1 using (\$1/1000):3 with points pointtype 7 pointsize 0.3 lc rgb "#3060c0" title "frame", \
     16.7 with lines lw 2 lc rgb "#d03020" title "16.7 ms (60 fps)"
GNUPLOT
echo "$png"
