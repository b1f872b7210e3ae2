#!/usr/bin/env bash
# Plays the whole demo with --desktop on a 1920x1080 virtual screen (Xvfb,
# Mesa's software renderer, no sound) with an empty shader cache, presses F1
# at the given seconds after the start (default 21 and 24: to a window and
# back), logs the time of every buffer swap and prints the toggles' pauses and
# the frame times after the last toggle. A benchmark: it reports, it asserts
# nothing. Needs Xvfb, xdotool, a C compiler and python3.
# usage: tools/toggle-frame-times.sh LUMIVANE OUTDIR [SECONDS...]
set -euo pipefail
if [ $# -lt 2 ] || [ "$1" = "--help" ]; then
  echo "usage: $0 LUMIVANE OUTDIR [SECONDS...]" >&2
  exit 2
fi
program=$(realpath "$1") out=$2
shift 2
[ $# -gt 0 ] || set -- 21 24
for tool in Xvfb xdotool cc python3; do
  command -v $tool >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done
rm -rf "$out" && mkdir -p "$out/cache"

# Every SDL_GL_SwapWindow's monotonic time, one line each.
cat >"$out/swaplog.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
void SDL_GL_SwapWindow(void* window) {
  static void (*swap)(void*);
  static FILE* log;
  if (!swap) swap = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
  swap(window);
  if (!log && !(log = fopen(getenv("SWAP_LOG"), "w"))) return;
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  fprintf(log, "%.6f\n", t.tv_sec + t.tv_nsec / 1e9);
  fflush(log);
}
C
cc -O2 -shared -fPIC -o "$out/swaplog.so" "$out/swaplog.c" -ldl

display=:$((100 + RANDOM % 400))
Xvfb $display -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
now() { python3 -c 'import time; print(time.monotonic())'; }
start=$(now)
DISPLAY=$display SDL_AUDIODRIVER=dummy MESA_SHADER_CACHE_DIR=$out/cache LD_PRELOAD=$out/swaplog.so \
  SWAP_LOG=$out/swaps.log "$program" --desktop --no-sound >"$out/stdout" &
app=$!
for at in "$@"; do
  python3 -c "import time; time.sleep(max(0, $start + $at - time.monotonic()))"
  # Moving the pointer out and back in gives the new window the keyboard.
  DISPLAY=$display xdotool mousemove 5 5 sleep 0.05 mousemove 700 500 sleep 0.05 key F1
  now >>"$out/keys"
done
wait $app
cat "$out/stdout"

python3 - "$out" "$start" <<'PY'
import sys
out, start = sys.argv[1], float(sys.argv[2])
swaps = [float(l) - start for l in open(out + "/swaps.log")]
keys = [float(l) - start for l in open(out + "/keys")]
frames = [(swaps[i], (swaps[i] - swaps[i - 1]) * 1000) for i in range(1, len(swaps))]
for k in keys:
    pauses = [round(ms) for t, ms in frames if k < t < k + 3 and ms > 100]
    print("F1 at %.2f s: pauses over 100 ms in the next 3 s: %s" % (k, pauses))
settled = max(t for t, ms in frames if t < keys[-1] + 3 and ms > 100) if keys else 0
rest = sorted(ms for t, ms in frames if t > settled)
n = len(rest)
q = lambda p: rest[min(n - 1, int(p * n))]
print("after the last toggle: %d frames, median %.1f, p95 %.1f, p99 %.1f, max %.1f ms; over 33 ms: %d"
      % (n, q(0.5), q(0.95), q(0.99), rest[-1], sum(ms > 33 for ms in rest)))
PY
