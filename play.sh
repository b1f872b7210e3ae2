#!/usr/bin/env bash
# Installs what is missing, builds the two programs, generates the data and
# plays the demo. The tests and the renderer's video capture are not built
# here (./test.sh builds them).
# Arguments go to the program (see ./play.sh --help).
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
install_missing_packages
build build -DBUILD_TESTING=OFF -DLUMIVANE_VIDEO=OFF
cd build
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: playing on a virtual one, windowed, without sound output."
  with_display ./lumivane --windowed "$@"
else
  ./lumivane "$@"
fi
