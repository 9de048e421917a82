# Shared helpers of the end-to-end tests: run the real program on a private
# Xvfb display and look at it with xdotool and ImageMagick.
set -euo pipefail

BUILD_DIR=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
PROGRAM="$BUILD_DIR/morvane"
WORK=$(mktemp -d /tmp/morvane-e2e.XXXXXX)
XVFB_PID=""
APP_PID=""

fail() { echo "FAIL: $*" >&2; exit 1; }

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

start_xvfb() {
  local n=120
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "Xvfb did not start on $DISPLAY"
}

# Starts the program in the background; its output goes to $WORK/app.log.
start_program() {
  (cd "$WORK" && exec "$PROGRAM") >"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

# Prints the id of the first visible window whose title is exactly $1.
wait_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$APP_PID" 2>/dev/null || { cat "$WORK/app.log" >&2; fail "program ended before showing '$1'"; }
    sleep 0.1
  done
  fail "no window titled '$1'"
}

wait_no_window() {
  for _ in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)" ] && return 0
    sleep 0.1
  done
  fail "window '$1' is still open"
}

# Waits for the program to end and prints its exit status.
wait_exit() {
  local rc=0
  for _ in $(seq 100); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID" || rc=$?
      APP_PID=""
      echo "$rc"
      return 0
    fi
    sleep 0.1
  done
  fail "program did not end"
}

# Types keys into window $1 as a person would (focus, then real key events).
press() {
  local win=$1; shift
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  xdotool key --clearmodifiers "$@"
}

# Saves a screenshot of window $1 to $2 (PNG).
screenshot() {
  xwd -silent -id "$1" | convert xwd:- "$2"
}

# Prints "r g b" of pixel x,y of image $1.
pixel() {
  convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)] %[fx:int(255*u.p{$2,$3}.g)] %[fx:int(255*u.p{$2,$3}.b)]\n" info:
}
