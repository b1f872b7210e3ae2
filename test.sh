#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in a normal
# build, once under AddressSanitizer and UBSan. Non-zero exit on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
install_missing_packages
ensure_test_locale

werror=OFF
[ -n "${CI:-}" ] && werror=ON

export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build"
build build -DLUMIVANE_WERROR=$werror
with_display ctest --test-dir build --output-on-failure -j 2

echo "== AddressSanitizer + UBSan build"
build build-asan -DLUMIVANE_WERROR=$werror -DLUMIVANE_SANITIZE=ON -DLUMIVANE_DATA_DIR="$PWD/build/data"
with_display ctest --test-dir build-asan --output-on-failure -j 2

echo "== fuzz smoke: each file reader and the option parser on its corpus, under the sanitizers"
for target in png mesh music commandline; do
  tools/fuzz.sh "$target" 20 2>&1 | grep -E "^(stat::number_of_executed_units|==[0-9]+==|SUMMARY)" || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz target $target failed; see build-fuzz/"; exit 1; }
done
