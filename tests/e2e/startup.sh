#!/usr/bin/env bash
# The real program starts on a display, shows its main window with a black
# preview, ends on Escape with status 0, and refuses to start without a display.
. "$(dirname "$0")/lib.bash"

# Without a display (none named, one named that is not there, a platform that
# cannot start) the program says so and fails instead of crashing.
no_display() {
  local rc=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$PROGRAM" >"$WORK/nodisplay.log" 2>&1 || rc=$?
  [ "$rc" -ne 0 ] || fail "started without a display ($*)"
  [ "$rc" -lt 128 ] || fail "crashed without a display (status $rc, $*)"
  grep -q "no display available" "$WORK/nodisplay.log" || fail "no word about the display ($*): $(cat "$WORK/nodisplay.log")"
}
no_display
no_display DISPLAY=:64999   # no server there: test displays are numbered lower
no_display QT_QPA_PLATFORM=xcb

start_xvfb
start_program
win=$(wait_window "Vexaro   视频录像软件")
sleep 0.5
shot="$WORK/main.png"
screenshot "$win" "$shot"
cp "$shot" "${E2E_SHOT_DIR:-$WORK}/startup-main.png" 2>/dev/null || true

read -r w h < <(identify -format "%w %h\n" "$shot")
[ "$w" -gt 400 ] && [ "$h" -gt 300 ] || fail "window too small: ${w}x${h}"
# The preview takes the middle of the window and is black before any camera.
read -r r g b < <(pixel "$shot" $((w / 2)) $((h * 48 / 100)))
[ "$r" -lt 16 ] && [ "$g" -lt 16 ] && [ "$b" -lt 16 ] || fail "preview not black: $r $g $b"

press "$win" Escape
wait_exit
rc=$EXIT_STATUS
[ "$rc" -eq 0 ] || fail "exit status $rc after Escape"
echo "PASS startup"
