#!/usr/bin/env bash
# Short captures with lumivane-render --video, checked with ffprobe/ffmpeg:
# frame count, duration, picture and sound of a stretch with a beat moment
# (the lamp flickers at 45.5 s), the WebM path, a capture without sound, and
# the failures (bad name, unwritable folder, Ctrl+C) leaving no file behind.
# Usage: video_capture_test.sh lumivane-render pcm_lag DATA_DIR   (needs $DISPLAY)
set -u
render=$(readlink -f "$1")
pcm_lag=$(readlink -f "$2")
data=$(readlink -f "$3")
failures=0
tmp=$(mktemp -d /tmp/lumivane-video-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
ln -s "$data" data
export LUMIVANE_HEADLESS=1 SDL_AUDIODRIVER=dummy

check() {  # check DESCRIPTION CONDITION...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
capture() {  # capture FILE [options...]: status in $status, stderr in err.txt
  timeout 120 "$render" --video "$@" --size 160x120 --fps 30 >out.txt 2>err.txt
  status=$?
}
probe() { ffprobe -v error -count_frames -of default=nw=1 -show_entries "$@"; }
psnr() {  # psnr FILE FRAME PNG: average PSNR (dB) of decoded frame FRAME against PNG, in YUV 4:2:0
  ffmpeg -hide_banner -nostats -i "$1" -i "$3" -lavfi "[0]select=eq(n\,$2)[v];[1]scale=out_color_matrix=bt709:\
out_range=tv:flags=accurate_rnd+full_chroma_inp,format=yuv420p[r];[v][r]psnr" -f null - 2>&1 |
    sed -n 's/.*average:\([0-9.inf]*\).*/\1/p'
}
sound_lag() {  # sound_lag FILE RATE: lag (samples) and correlation of the file's sound against the Ogg at 44-47.033 s
  ffmpeg -v error -y -i "$1" -vn -ac 1 -ar "$2" -f f32le got.f32 &&
    ffmpeg -v error -y -i "data/Drevko - Lumivane.ogg" -af atrim=start=44:duration=3.0333 -ac 1 -ar "$2" \
      -f f32le want.f32 && "$pcm_lag" want.f32 got.f32 $(($2 / 100))
}
rms_db() {  # rms_db FILE FIRST END: RMS level (dB) of the sound's samples [FIRST, END) at 44.1 kHz, both sides
  ffmpeg -hide_banner -nostats -i "$1" -vn -af "aresample=44100,pan=mono|c0=0.5*c0+0.5*c1,\
atrim=start_sample=$2:end_sample=$3,astats" -f null - 2>&1 | sed -n 's/.*RMS level dB: \([-0-9.inf]*\).*/\1/p' | tail -n 1
}
ge() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a + 0 >= b) }'; }
lt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "inf" && a + 0 < b) }'; }
within_ms() { awk -v lag="$1" -v rate="$2" 'BEGIN { exit !(lag * 1000 <= rate && -lag * 1000 <= rate) }'; }

# MP4: 3 s at 30 fps from 44 s, with the PNG frame of the beat moment from the same run.
capture clip.mp4 --from 44000 --until 47000 --out png --at 45500
check "mp4 capture succeeds" test "$status" -eq 0 -a -s clip.mp4 -a ! -e clip.mp4.part
check "mp4 holds H.264 and AAC" test "$(probe stream=codec_name clip.mp4 | tr '\n' ' ')" = \
  "codec_name=h264 codec_name=aac "
check "91 frames (44000..47000 ms)" test "$(probe stream=nb_read_frames -select_streams v clip.mp4)" = "nb_read_frames=91"
duration=$(probe format=duration clip.mp4 | cut -d= -f2)
check "duration $duration s is 91/30 s within a frame" awk -v d="$duration" 'BEGIN { exit !(d > 3.0 && d < 3.0667) }'
# Frame 45 shows 45500 ms; its neighbours differ, so a shifted frame fails.
at=$(psnr clip.mp4 45 png/frame_045500.png)
before=$(psnr clip.mp4 44 png/frame_045500.png)
check "frame 45 matches the PNG frame of 45500 ms (PSNR $at dB)" ge "$at" 35
check "frame 44 does not (PSNR $before dB)" lt "$before" 30
read -r lag corr < <(sound_lag clip.mp4 44100)
check "mp4 sound matches the Ogg at 44 s (lag ${lag:-?} samples, correlation ${corr:-?})" \
  sh -c "[ -n '${corr:-}' ] && awk 'BEGIN { exit !(${corr:-0} >= 0.95) }'"
check "mp4 sound lag within 1 ms" within_ms "${lag:-999}" 44100
# The sound fades out over the last 20 ms before the cut (91/30 s = sample 133770):
# the last 5 ms are far quieter than the 25 ms before the fade.
end_db=$(rms_db clip.mp4 133550 133770)
before_db=$(rms_db clip.mp4 131565 132668)
check "sound fades out at the cut ($end_db dB in the last 5 ms, $before_db dB before the fade)" \
  awk -v e="${end_db:-0}" -v b="${before_db:--99}" 'BEGIN { exit !(e == "-inf" || e + 10 <= b) }'

# WebM: VP9 and Opus, the sound resampled to 48 kHz and still in place.
capture clip.webm --from 44000 --until 47000
check "webm capture succeeds with VP9 and Opus" test "$status" -eq 0 -a \
  "$(probe stream=codec_name clip.webm 2>/dev/null | tr '\n' ' ')" = "codec_name=vp9 codec_name=opus "
read -r lag corr < <(sound_lag clip.webm 48000)
check "webm sound lag ${lag:-?} within 1 ms, correlation ${corr:-?}" \
  sh -c "awk 'BEGIN { exit !(${corr:-0} >= 0.95) }' && [ ${lag:-999} -ge -48 ] && [ ${lag:-999} -le 48 ]"

# Without sound: a video track only, and a warning.
capture quiet.mp4 --until 500 --no-sound
check "--no-sound: one video stream and a warning" test "$status" -eq 0 -a \
  "$(probe stream=codec_type quiet.mp4)" = "codec_type=video" -a -n "$(grep -i 'no sound track' err.txt)"

# Failures: a clear message, a non-zero status, no file.
capture clip.avi --until 500
check "unknown extension refused before any work" test "$status" -ne 0 -a ! -e clip.avi -a \
  -n "$(grep '.mp4 or .webm' err.txt)"
capture missing/clip.mp4 --until 500
check "unwritable folder: message, status $status" test "$status" -ne 0 -a ! -e missing -a \
  -n "$(grep 'cannot write' err.txt)"
"$render" --video long.mp4 --size 160x120 --fps 30 >out.txt 2>err.txt &
pid=$!
for _ in $(seq 300); do [ -e long.mp4.part ] && break; sleep 0.1; done
sleep 1
kill -INT "$pid"
wait "$pid"
status=$?
check "Ctrl+C: status $status, no file left" test "$status" -eq 130 -a ! -e long.mp4 -a ! -e long.mp4.part -a \
  -n "$(grep interrupted err.txt)"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
