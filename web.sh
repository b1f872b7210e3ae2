#!/usr/bin/env bash
# Installs what is missing, builds the demo for the browser into build-web/
# (the site: build-web/site/, a folder of static files) and serves it on
# http://127.0.0.1:8000/ until Ctrl+C.
#   ./web.sh --port N      serve on another port
#   ./web.sh --build-only  build the site and stop (./test.sh uses it)
set -euo pipefail
cd "$(dirname "$0")"
port=8000
serve=1
while [ $# -gt 0 ]; do
  case "$1" in
    --port)
      [ $# -ge 2 ] && [[ "$2" =~ ^[0-9]+$ ]] && [ "$2" -ge 1 ] && [ "$2" -le 65535 ] ||
        { echo "web.sh: --port needs a number from 1 to 65535" >&2; exit 2; }
      port=$2
      shift 2
      ;;
    --build-only) serve=0; shift ;;
    -h|--help)
      sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *) echo "web.sh: unknown option $1 (see ./web.sh --help)" >&2; exit 2 ;;
  esac
done

. tools/setup.sh
install_missing_packages $WEB_PACKAGES

# The data folder comes from the native data generator.
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DLUMIVANE_VIDEO=OFF >/dev/null
fi
cmake --build build --target data -j "$(nproc)"

# Debian's emscripten runs its optimiser on Debian's node modules (acorn).
export NODE_PATH=/usr/share/nodejs
if [ ! -f build-web/CMakeCache.txt ]; then
  emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_DATA_DIR="$PWD/build/data" >/dev/null
fi
cmake --build build-web -j "$(nproc)"
echo "The site is in build-web/site/ (static files; any web server can serve the folder)."
[ "$serve" -eq 1 ] || exit 0

echo "Serving it on http://127.0.0.1:$port/ (Ctrl+C stops)."
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
