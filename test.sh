#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in a normal
# build, once under AddressSanitizer and UBSan. Non-zero exit on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
install_missing_packages $TEST_PACKAGES
ensure_test_locale

werror=OFF
[ -n "${CI:-}" ] && werror=ON

export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build"
build build -DBUILD_TESTING=ON -DLUMIVANE_WERROR=$werror
with_display ctest --test-dir build --output-on-failure -j 2

echo "== AddressSanitizer + UBSan build"
build build-asan -DBUILD_TESTING=ON -DLUMIVANE_WERROR=$werror -DLUMIVANE_SANITIZE=ON -DLUMIVANE_DATA_DIR="$PWD/build/data"
with_display ctest --test-dir build-asan --output-on-failure -j 2
