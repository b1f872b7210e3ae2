# Sourced by the script tests: a temporary folder `$tmp` removed on exit with
# the program `$pid` and the display `$xvfb` they started, `start_display`,
# and the failure count: `fail` reports one and goes on, `end_test` ends.
# Usage: . script_test.sh PREFIX
tmp=$(mktemp -d "/tmp/$1-XXXXXX")
xvfb=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# A virtual display of the test's own (1280 x 1024, its only mode), so that no
# other test's window takes the keyboard focus; headless GL and no sound.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
  done
  [ -s "$tmp/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -n1 "$tmp/display")"
  export LUMIVANE_HEADLESS=1 SDL_AUDIODRIVER=dummy
}

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Ends the test: "WHAT: ok" when nothing failed, exit status 1 when anything did.
# Usage: end_test WHAT
end_test() {
  [ "$failures" -eq 0 ] && echo "$1: ok"
  exit "$((failures > 0))"
}
