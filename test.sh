#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in a normal
# build, once under AddressSanitizer and UBSan. Non-zero exit on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
install_missing_packages $TEST_PACKAGES $WEB_PACKAGES
install_npm
ensure_test_locale

werror=OFF
[ -n "${CI:-}" ] && werror=ON

export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build"
build build -DBUILD_TESTING=ON -DLUMIVANE_VIDEO=ON -DLUMIVANE_WERROR=$werror
with_display ctest --test-dir build --output-on-failure -j 2

echo "== AddressSanitizer + UBSan build"
build build-asan -DBUILD_TESTING=ON -DLUMIVANE_VIDEO=ON -DLUMIVANE_WERROR=$werror -DLUMIVANE_SANITIZE=ON -DLUMIVANE_DATA_DIR="$PWD/build/data"
with_display ctest --test-dir build-asan --output-on-failure -j 2

echo "== fuzz smoke: each file reader and the option parser on its corpus, under the sanitizers"
mkdir -p build-fuzz
for target in png mesh music commandline; do
  if ! tools/fuzz.sh "$target" 20 >build-fuzz/smoke-$target.log 2>&1; then
    tail -n 40 build-fuzz/smoke-$target.log
    echo "fuzz target $target failed; its input is in build-fuzz/"
    exit 1
  fi
  grep -E "^stat::number_of_executed_units" build-fuzz/smoke-$target.log | sed "s/^/$target: /"
done

echo "== web build in headless Chromium: the page, and its frames against the native renderer's"
web_start=$SECONDS
./web.sh --build-only
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node tests/web/page_test.js build-web/site
node tests/web/use_test.js build-web/site
with_display node tests/web/frames_test.js build-web/site build/lumivane-render build/data
echo "web tests: $((SECONDS - web_start)) s"
