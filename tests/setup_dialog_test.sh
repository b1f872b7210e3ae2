#!/usr/bin/env bash
# Types at the real program with xdotool on a virtual display of its own (so
# that no other test's window takes the keyboard focus): the setup dialog's
# keys and results, Quit's exit status, no display at all, the options, and
# one fullscreen toggle per F1 press. Every wait is bounded.
# Usage: setup_dialog_test.sh path/to/lumivane
set -u
program=$(readlink -f "$1")
failures=0
passes=0

. "$(dirname "$0")/support/script_test.sh" lumivane-keys

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
pass() {
  echo "ok: $*"
  passes=$((passes + 1))
}

start_display  # 1280 x 1024 is its only mode, so 800 x 600 fullscreen is refused

# An empty data folder: loading is quick, and every missing file is only a message.
mkdir -p "$tmp/run/data"
cd "$tmp/run" || exit 1

start() {  # start [options...]: the program in the background
  : >out.txt
  : >err.txt
  "$program" "$@" >out.txt 2>err.txt &
  pid=$!
}

# Waits up to $1 seconds for the program to end; its status is in $status (124: still running, then killed).
finish() {
  status=124
  for _ in $(seq $(($1 * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      status=$?
      pid=""
      return
    fi
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
}

dialog_window() {  # the dialog's window id, once it is on the screen
  timeout 10 xdotool search --sync --onlyvisible --name '^Vantel Quorix - Lumivane$' 2>/dev/null | head -n1
}

wait_for_line() {  # wait_for_line FILE PATTERN SECONDS
  for _ in $(seq $(($3 * 10))); do
    grep -q -- "$2" "$1" && return 0
    sleep 0.1
  done
  return 1
}

# Presses Escape in the demo until it ends: a key pressed and let go while it
# still loads has no effect.
escape_demo() {
  for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    xdotool key Escape 2>/dev/null
    sleep 0.5
  done
  finish 5
}

toggles() { grep -c '^\[Tarvo GL\]' err.txt; }
# settled_toggles N: the count once it has reached N (at most 10 s: a toggle
# remakes the window and its textures, slow under the sanitizers on a busy
# machine) and then stayed put for a second, so a late extra one is counted.
settled_toggles() {
  for _ in $(seq 100); do
    [ "$(toggles)" -ge "$1" ] && break
    sleep 0.1
  done
  sleep 1
  toggles
}

# dialog_run NAME EXPECTED-SETTINGS KEYS...: types the keys into the dialog and
# checks the settings the demo then starts with.
dialog_run() {
  local name=$1 expected=$2
  shift 2
  start
  local id
  id=$(dialog_window)
  if [ -z "$id" ]; then
    fail "$name: no dialog window"
    finish 1
    return
  fi
  sleep 0.3
  xdotool key --delay 80 "$@"
  if ! wait_for_line out.txt "^lumivane: " 10; then
    fail "$name: the demo did not start"
    finish 1
    cat err.txt
    return
  fi
  local settings
  settings=$(grep '^lumivane: ' out.txt | head -n1)
  if [ "$settings" = "lumivane: $expected" ]; then pass "$name: $expected"; else fail "$name: got '$settings', wanted '$expected'"; fi
  escape_demo
  [ "$status" -eq 0 ] || fail "$name: exit status $status after Escape in the demo"
  grep -q "quit with Escape" out.txt || fail "$name: the demo did not end with Escape"
}

# Enter presses Start: the initial choices. Fullscreen 800 x 600 is refused
# here, and the question's "Yes" plays windowed.
dialog_run "Enter" "800 x 600, 32 bit, fullscreen, sound" Return
if [ "$(toggles)" -eq 1 ] && grep -q "Use Windowed Mode Instead?" err.txt; then
  pass "refused fullscreen asked once"
else
  fail "refused fullscreen: $(toggles) questions"
fi

dialog_run "Alt+N, Alt+S" "800 x 600, 32 bit, fullscreen, no sound" alt+n alt+s

# Tab order: Start, Quit, No Sound; Space ticks it, Enter there is Start.
dialog_run "Tab, Tab, Space, Enter" "800 x 600, 32 bit, fullscreen, no sound" Tab Tab space Return

dialog_run "Alt+F, Alt+6, Enter" "640 x 480, 32 bit, windowed, sound" alt+f alt+6 Return
[ "$(toggles)" -eq 0 ] || fail "windowed start asked the fullscreen question"

dialog_run "Alt+6, Alt+8, Alt+1 Space twice, Alt+3, Alt+F, Enter" "1024 x 768, 32 bit, windowed, sound" \
  alt+6 alt+8 alt+1 space alt+1 space alt+3 alt+f Return

# Quit, Escape and closing: status 1, nothing started, no demo window.
for keys in Escape alt+q; do
  start
  id=$(dialog_window)
  if [ -z "$id" ]; then
    fail "$keys: no dialog window"
    finish 1
    continue
  fi
  sleep 0.3
  xdotool key "$keys"
  finish 10
  if [ "$status" -eq 1 ] && ! grep -q . out.txt && ! grep -q . err.txt; then
    pass "$keys in the dialog: status 1, no window, no message"
  else
    fail "$keys in the dialog: status $status, stdout '$(cat out.txt)', stderr '$(cat err.txt)'"
  fi
done
if [ -z "$(xdotool search --name 'Vantel Quorix' 2>/dev/null)" ]; then pass "no window left"; else fail "a window is left"; fi

# No display: the reason on standard error, status 1.
(
  unset DISPLAY
  timeout 10 "$program" >out.txt 2>err.txt
  echo $? >status.txt
)
if [ "$(cat status.txt)" -eq 1 ] && grep -q "setup dialog cannot be shown: no display" err.txt; then
  pass "no display: says why, status 1"
else
  fail "no display: status $(cat status.txt), stderr '$(cat err.txt)'"
fi
DISPLAY=:59999 timeout 10 "$program" >out.txt 2>err.txt
status=$?
if [ "$status" -eq 1 ] && grep -q "cannot open the display ':59999'" err.txt; then
  pass "unreachable display: says why, status 1"
else
  fail "unreachable display: status $status, stderr '$(cat err.txt)'"
fi

# Options: bad ones end with status 2 and a clear message, before any window.
check_option() {  # check_option STATUS MESSAGE ARGS...
  local want=$1 message=$2
  shift 2
  timeout 10 "$program" "$@" >out.txt 2>err.txt
  local got=$?
  if [ "$got" -eq "$want" ] && grep -qF -- "$message" out.txt err.txt; then
    pass "options $*: status $got"
  else
    fail "options $*: status $got, wanted $want with '$message'; stderr '$(head -n1 err.txt)'"
  fi
}
check_option 2 "lumivane: unsupported size '1280x100'" --size 1280x100
check_option 2 "lumivane: unsupported colour depth '24'" --windowed --bits 24
check_option 2 "lumivane: unknown option '--window'" --window
check_option 2 "lumivane: option --size needs a value" --size
check_option 0 "Usage: lumivane [options]" --help

# Options skip the dialog.
start --windowed --size 1024x768 --no-sound
if wait_for_line out.txt "^lumivane: 1024 x 768, 32 bit, windowed, no sound" 10; then
  pass "options skip the dialog"
else
  fail "options: '$(cat out.txt)'"
fi
escape_demo

# F1: one toggle per press. From windowed, each toggle asks for fullscreen
# 800 x 600, which is refused here and answered "Yes": one question per toggle.
start --windowed --no-sound
if ! timeout 10 xdotool search --sync --onlyvisible --name '^Vantel Quorix - Lumivane$' >/dev/null 2>&1; then
  fail "F1: no demo window"
else
  sleep 1
  # Held past the keyboard's auto-repeat delay.
  xdotool keydown F1
  sleep 1.5
  xdotool keyup F1
  n=$(settled_toggles 1)
  if [ "$n" -eq 1 ]; then pass "F1 held: one toggle"; else fail "F1 held: $n toggles"; fi
  # Two short presses, the second as soon as the first toggle is done (a press
  # while the window is being made anew has no window to go to).
  for count in 2 3; do
    xdotool keydown F1
    sleep 0.1
    xdotool keyup F1
    n=$(settled_toggles $count)
    timeout 10 xdotool search --sync --onlyvisible --name '^Vantel Quorix - Lumivane$' >/dev/null 2>&1
  done
  if [ "$n" -eq 3 ]; then pass "F1 twice: two toggles"; else fail "F1 twice: $((n - 1)) toggles"; fi
  geometry=$(xdotool search --onlyvisible --name '^Vantel Quorix - Lumivane$' getwindowgeometry 2>/dev/null)
  if echo "$geometry" | grep -q "Geometry: 800x600"; then pass "F1: back at 800 x 600"; else fail "F1: $geometry"; fi
fi
escape_demo
[ "$status" -eq 0 ] || fail "F1: exit status $status"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
