# Shared by play.sh and test.sh: installs the Debian packages that are missing
# and builds the project. Sourced, not run.

# What building and playing need.
PACKAGES="build-essential cmake pkg-config libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libpng-dev libvorbis-dev libgtk-3-dev libcairo2-dev libpango1.0-dev fonts-dejavu-core fonts-noto-core
  xvfb xauth"
# What the renderer's video capture module needs (cmake -DLUMIVANE_VIDEO=ON, the default).
VIDEO_PACKAGES="libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev"
# What the web build needs besides (./web.sh): Emscripten, the stb decoders,
# Debian's acorn for Emscripten's optimiser, Python to serve the site.
WEB_PACKAGES="emscripten libstb-dev node-acorn python3"
# What the tests need besides (they build the capture too).
TEST_PACKAGES="$VIDEO_PACKAGES libgtest-dev xdotool locales strace desktop-file-utils appstream clang-14 libfuzzer-14-dev ffmpeg
  chromium"

# install_missing_packages [more package names...]: $PACKAGES and the named ones.
install_missing_packages() {
  local missing=""
  for p in $PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# A comma-decimal locale, so the tests can show that numbers are read the same in it.
ensure_test_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$' && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen && $sudo locale-gen >/dev/null ||
    echo "Note: could not generate de_DE.UTF-8; the locale test will be skipped."
}

# build DIR [cmake options...]
build() {
  local dir=$1
  shift
  local launcher=""
  command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# Runs a command on the current display, or on a virtual one when there is none.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    LUMIVANE_HEADLESS=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
      xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}

# npm for the browser tests' driver, unless a Node.js with its own npm is there.
install_npm() {
  command -v npm >/dev/null && return 0
  install_missing_packages npm
}
