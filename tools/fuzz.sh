#!/usr/bin/env bash
# tools/fuzz.sh TARGET SECONDS [libFuzzer options...]
# Builds the fuzz targets with clang (AddressSanitizer + UBSan + libFuzzer) in
# build-fuzz/ and runs fuzz_TARGET for SECONDS on its corpus in tests/fuzz/corpus/TARGET.
# New inputs go to build-fuzz/corpus/TARGET, a crash to build-fuzz/crash-*; the
# exit status is non-zero when the target crashed. TARGET: png, mesh, music, commandline.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
  sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
target=$1
seconds=$2
shift 2
seeds=$root/tests/fuzz/corpus/$target
[ -d "$seeds" ] || { echo "fuzz.sh: no target '$target' (corpus folder $seeds missing)" >&2; exit 2; }

build=${LUMIVANE_FUZZ_BUILD:-$root/build-fuzz}
launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 $launcher >/dev/null
cmake --build "$build" --target "fuzz_$target" -j "$(nproc)" >/dev/null

work=$build/corpus/$target
mkdir -p "$work"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Inputs as large as the seeds, so each run stays quick.
max_len=4096
[ "$target" = music ] && max_len=16384
# The targets' own messages (why an input was refused) are closed off; the
# fuzzer's and the sanitizers' reports still reach stderr.
exec "$build/fuzz_$target" -max_total_time="$seconds" -close_fd_mask=3 -max_len=$max_len -timeout=60 \
  -rss_limit_mb=2048 -artifact_prefix="$build/" -print_final_stats=1 "$@" "$work" "$seeds"
