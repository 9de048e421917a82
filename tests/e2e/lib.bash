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
  if [ -n "${E2E_KEEP:-}" ]; then echo "kept $WORK" >&2; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

start_xvfb() {
  # A display number of this test's own, so tests side by side rarely meet;
  # when they do, the server that loses the number exits and the next is
  # tried. -noreset: a server resetting after its last client (the readiness
  # probe) left refuses the program's connection.
  local n=$((200 + $$ % 20000)) tries
  for tries in $(seq 20); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 100); do
        kill -0 "$XVFB_PID" 2>/dev/null || break   # lost the number to another server
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      kill "$XVFB_PID" 2>/dev/null || true
      wait "$XVFB_PID" 2>/dev/null || true
      XVFB_PID=""
    fi
    n=$((n + 1))
  done
  fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
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
    kill -0 "$APP_PID" 2>/dev/null || { cat "$WORK/app.log" "$WORK/xvfb.log" >&2; fail "program ended before showing '$1' on $DISPLAY"; }
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

# Waits for the program to end and sets EXIT_STATUS. Not for use inside $( ):
# only this shell, the program's parent, can collect its status.
EXIT_STATUS=""
wait_exit() {
  local rc=0
  for _ in $(seq 300); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID" || rc=$?
      APP_PID=""
      EXIT_STATUS=$rc
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

# Right-clicks the middle of window $1 and waits until the menu it opens is
# on the screen (one more visible window of the program).
open_context_menu() {
  local before
  before=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)" -gt "$before" ] && return 0
    sleep 0.1
  done
  fail "no menu opened on a right-click"
}

# Saves a screenshot of window $1 to $2 (PNG).
screenshot() {
  xwd -silent -id "$1" | convert xwd:- "$2"
}

# Prints "r g b" of pixel x,y of image $1.
pixel() {
  convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)] %[fx:int(255*u.p{$2,$3}.g)] %[fx:int(255*u.p{$2,$3}.b)]\n" info:
}

# Left-clicks window $1 at x=$2, y=$3 (pixels from its top left corner).
click() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

# Mean brightness (0 to 100) of region $2 (WxH+X+Y) of image $1.
region_mean() {
  convert "$1" -crop "$2" +repage -colorspace gray -format "%[fx:int(100*mean+0.5)]\n" info:
}

# Number of plainly red pixels in region $2 of image $1.
region_red() {
  convert "$1" -crop "$2" +repage -fx "r>0.63 && g<0.4 && b<0.4" \
    -format "%[fx:int(mean*w*h+0.5)]\n" info:
}

# Number of pixels that differ by more than a little between region $3 of
# images $1 and $2.
region_diff() {
  convert "$1" -crop "$3" +repage "$WORK/diff-a.png"
  convert "$2" -crop "$3" +repage "$WORK/diff-b.png"
  # compare prints the count on stderr and exits 1 when the images differ.
  { compare -metric AE -fuzz 8% "$WORK/diff-a.png" "$WORK/diff-b.png" null: 2>&1 || true; } | awk '{ printf "%d\n", $1 }'
}

# Waits up to $2 seconds for file $1 to grow; fails when it does not.
wait_growth() {
  local before
  before=$(stat -c %s "$1")
  for _ in $(seq $(($2 * 10))); do
    sleep 0.1
    [ "$(stat -c %s "$1")" -gt "$before" ] && return 0
  done
  fail "$1 did not grow in $2 s (${before} bytes)"
}
