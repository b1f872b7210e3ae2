#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed renderer
# from an unrelated folder on a virtual display: it must find the installed
# data, draw the same frame as the build tree's renderer, put its frames in the
# user's folder for a relative --out, and write nothing else anywhere.
# usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
. "$(dirname "$0")/support/script_test.sh" lumivane-install

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$tmp/elsewhere" "$tmp/shader-cache" "$tmp/reference"
export LUMIVANE_HEADLESS=1 SDL_AUDIODRIVER=dummy
# The GL driver keeps its own shader cache; it goes to a folder of its own here.
export MESA_SHADER_CACHE_DIR=$tmp/shader-cache
render=(--size 320x240 --fps 60 --until 3000 --at 3000)

# The build tree's renderer with the build's data folder gives the expected frame.
(cd "$build" && xvfb-run -a -s "-screen 0 1024x768x24" ./lumivane-render "${render[@]}" --out "$tmp/reference" \
  >/dev/null 2>"$tmp/reference.err") || fail "the build tree's renderer failed: $(cat "$tmp/reference.err")"

cd "$tmp/elsewhere"
xvfb-run -a -s "-screen 0 1024x768x24" strace -f -qq -o "$tmp/calls" \
  -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,link,linkat,symlink,symlinkat,unlink,unlinkat,truncate \
  "$prefix/bin/lumivane-render" "${render[@]}" --out frames >/dev/null 2>"$tmp/installed.err" ||
  fail "the installed renderer failed: $(cat "$tmp/installed.err")"
[ -s "$tmp/installed.err" ] && fail "messages from the installed renderer: $(cat "$tmp/installed.err")"

[ "$(ls -A "$tmp/elsewhere")" = frames ] || fail "the working folder holds: $(ls -A "$tmp/elsewhere")"
[ "$(ls -A "$tmp/elsewhere/frames")" = frame_003000.png ] || fail "the output folder holds: $(ls -A frames)"
cmp -s "$tmp/reference/frame_003000.png" frames/frame_003000.png ||
  fail "the installed renderer's frame differs from the build tree's"

# Every call that creates, changes or removes a file names the output folder,
# the driver's cache or a device.
writes=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|mkdir|rename|link\(|unlink|truncate' "$tmp/calls" |
  grep -v ' = -1 ' | grep -oE '"[^"]*"' | tr -d '"' | sort -u)
[ -n "$writes" ] || fail "no write seen: the trace is empty"
while IFS= read -r path; do
  case $path in
    "$tmp/elsewhere/frames" | "$tmp/elsewhere/frames/"* | "$tmp/shader-cache/"* | /dev/*) ;;
    *) fail "written outside the prefix and the output folder: $path" ;;
  esac
done <<<"$writes"

# The installed renderer finds its video module.
xvfb-run -a -s "-screen 0 1024x768x24" "$prefix/bin/lumivane-render" --video "$tmp/capture.mp4" --size 64x48 \
  --until 100 --no-sound >/dev/null 2>"$tmp/video.err" || fail "the installed renderer's capture failed: $(cat "$tmp/video.err")"
[ -s "$tmp/capture.mp4" ] || fail "the installed renderer wrote no video"

end_test "installed renderer"
