#!/usr/bin/env bash
# One kind of damage applied to every picture, mesh and the tune at once,
# through the whole demo: the offline renderer draws all 195 s at 64 x 48,
# 10 frames per second, and must end with status 0 after the messages of the
# texture bank and the meshes; the program itself, started with the damaged
# tune and ended with Escape, must warn about the tune (a tune cut in half
# still plays what it has). Under the sanitizers any report fails the test.
# Usage: broken_data_test.sh KIND RENDER LUMIVANE DAMAGE_DATA DATA_DIR
#   KIND: missing, empty, half, random, absurd (see damage_data),
#         or nodevice: the data as it is, and no audio driver at all.
set -u
kind=$1
render=$(readlink -f "$2")
program=$(readlink -f "$3")
damage=$(readlink -f "$4")
data=$(readlink -f "$5")
failures=0

. "$(dirname "$0")/../support/script_test.sh" lumivane-broken
fail() {
  echo "FAIL: $kind: $*"
  failures=$((failures + 1))
}
sanitizers_quiet() {  # sanitizers_quiet FILE WHAT
  if grep -qE "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:" "$1"; then
    fail "$2: the sanitizers found something"
    grep -E -A12 "ERROR: |runtime error:" "$1" | head -40
  fi
}

start_display

mkdir -p "$tmp/run"
cd "$tmp/run" || exit 1
if [ "$kind" = nodevice ]; then
  ln -s "$data" data
  export SDL_AUDIODRIVER=nonexistent
else
  "$damage" "$kind" "$data" data || exit 1
fi

meshes=$(cd "$data" && ls models/*.tri)
tune="data/Drevko - Lumivane.ogg"

# The whole demo, offline.
if [ "$kind" != nodevice ]; then
  "$render" --size 64x48 --fps 10 --until 195000 --every 100000 --out frames >render.out 2>render.err
  status=$?
  [ "$status" -eq 0 ] || fail "renderer: exit status $status"
  ls frames/frame_*.png >/dev/null 2>&1 || fail "renderer: no frame written"
  # The scenes load all but a few of the pictures: each one loaded gets its box.
  boxes=$(grep -c "^\[QuorixSys: error message\] Error while loading texture: data/" render.err)
  [ "$boxes" -ge 60 ] || fail "renderer: only $boxes pictures reported"
  grep -qF "[QuorixSys: error message] Cannot load png" render.err || fail "renderer: no message for load.png"
  for m in $meshes; do
    box="[QuorixSys: error message] Error while loading model: data/$m"
    if [ "$kind" = absurd ]; then  # every entry reads, as the numbers it says
      grep -qF "$box" render.err && fail "renderer: a message for $m, whose entries all read"
    else
      grep -qF "$box" render.err || fail "renderer: no message for $m"
      grep -q "^lumivane: data/$m: " render.err || fail "renderer: no cause for $m"
    fi
  done
  causes=$(grep -c "^lumivane: data/.*\.png: " render.err)
  [ "$causes" -gt 60 ] || fail "renderer: only $causes cause lines for the pictures"
  sanitizers_quiet render.err renderer
  echo "renderer: status $status, $(grep -c '^\[QuorixSys: error message\]' render.err) boxes, $(grep -c '^lumivane: ' render.err) cause lines"
fi

# The program with the tune: the warning comes before the textures load;
# once the last texture's message is out, Escape ends the demo.
"$program" --windowed --size 640x480 >program.out 2>program.err &
pid=$!
expected=60
[ "$kind" = nodevice ] && expected=0
for _ in $(seq 600); do
  kill -0 "$pid" 2>/dev/null || break
  [ "$(grep -c "Error while loading texture" program.err)" -ge "$expected" ] && break
  sleep 0.1
done
sleep 1
for _ in $(seq 40); do
  kill -0 "$pid" 2>/dev/null || break
  xdotool key Escape 2>/dev/null
  sleep 0.5
done
status=124
for _ in $(seq 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    status=$?
    break
  fi
  sleep 0.1
done
[ "$status" -eq 124 ] && kill -9 "$pid" 2>/dev/null
pid=""
[ "$status" -eq 0 ] || fail "program: exit status $status"
grep -q "quit with Escape" program.out || { fail "program: the demo did not end with Escape"; cat program.out; tail -5 program.err; }
warning="[QuorixSystem] Error while trying to load the tune "
if [ "$kind" = half ]; then
  grep -qF "$warning" program.err && fail "program: the tune cut in half was refused"
else
  grep -qF "$warning" program.err || fail "program: no warning about the tune"
  if [ "$kind" = nodevice ]; then
    grep -q "^lumivane: cannot open the audio device: " program.err || fail "program: no cause for the missing audio device"
  else
    grep -qF "lumivane: $tune: " program.err || fail "program: no cause for the tune"
  fi
fi
sanitizers_quiet program.err program
echo "program: status $status; $(grep -F "$warning" program.err | head -n1); $(grep -e "Lumivane.ogg" -e "audio device" program.err | head -n1)"

[ "$failures" -eq 0 ] && echo "ok: $kind"
exit $((failures > 0))
