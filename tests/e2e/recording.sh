#!/usr/bin/env bash
# One recording on the virtual camera, as an operator makes it: open the
# camera through the video source dialog with an unlimited length, watch the
# live preview, record, try to close the camera and the window (both refused,
# the recording goes on), stop, quit. Then the file is read back: an XVID
# AVI of 640x480 at 25 frames a second, no sound, every frame the camera's
# next one, and no trace of the preview's red ball.
. "$(dirname "$0")/lib.bash"

CHECK="$BUILD_DIR/tests/recording-check"
[ -x "$CHECK" ] || fail "$CHECK is missing: build the recording-check target"

# Recordings go beside the program, so the program runs from $WORK.
cp "$PROGRAM" "$WORK/morvane"
cp "$BUILD_DIR/XP-Metallic.ssk" "$WORK/" 2>/dev/null || true
PROGRAM="$WORK/morvane"
export MORVANE_VIRTUAL_CAMERAS=1
title="Vexaro   视频录像软件"

# Places in the main window, from its template (438 x 366 dialog units):
# the preview at 7,44 424x261 and the buttons 34 units high at the top.
WIN_W=0 WIN_H=0
window_size() { read -r WIN_W WIN_H < <(identify -format "%w %h\n" "$1"); }
# Geometry WxH+X+Y of the screen area where the preview shows frame pixels
# x0..x1, y0..y1 of a 640x480 frame (the preview fills its box).
preview_area() {
  awk -v W="$WIN_W" -v H="$WIN_H" -v x0="$1" -v y0="$2" -v x1="$3" -v y1="$4" 'BEGIN {
    l = W * (7 + x0 / 640 * 424) / 438; r = W * (7 + x1 / 640 * 424) / 438
    t = H * (44 + y0 / 480 * 261) / 366; b = H * (44 + y1 / 480 * 261) / 366
    printf "%dx%d+%d+%d\n", r - l, b - t, l, t }'
}
# Clicks the middle of the button whose left edge is at $2 dialog units.
click_button() {
  click "$1" $((WIN_W * ($2 + 29) / 438)) $((WIN_H * 24 / 366))
}

shot_no=0
shoot() { shot_no=$((shot_no + 1)); SHOT="$WORK/shot$shot_no.png"; screenshot "$win" "$SHOT"; }

# Takes up to $1 screenshots, a tenth of a second apart, until one shows the
# red ball in the preview's indicator spot; RED is the most red pixels seen.
RED=0
look_for_indicator() {
  local red
  RED=0
  for _ in $(seq "$1"); do
    shoot
    red=$(region_red "$SHOT" "$INDICATOR")
    [ "$red" -gt "$RED" ] && RED=$red
    [ "$red" -ge 20 ] && return 0
    sleep 0.1
  done
}

# A message box refusing to close during a recording: it shows, the
# recording goes on behind it, its button closes it and the program stays.
# (The writer's output reaches the file in blocks, a second or two apart.)
expect_refusal() {
  local caption=$1 box
  box=$(wait_window "$caption")
  wait_growth "$AVI" 10
  press "$box" Return
  wait_no_window "$caption"
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after '$caption'"
  [ -n "$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true)" ] ||
    fail "main window gone after '$caption'"
}

start_xvfb
start_program
win=$(wait_window "$title")
sleep 0.5
shoot
window_size "$SHOT"
PREVIEW=$(preview_area 8 8 632 472)
INDICATOR=$(preview_area 598 5 630 37)

# "打开相机" has the focus. In the dialog: OK, Cancel, the camera list, then
# the minutes box, where 0 asks for a recording without a limit.
press "$win" space
dialog=$(wait_window "视频源")
press "$dialog" Tab Tab Tab ctrl+a 0 Return
wait_no_window "视频源"

# The preview comes alive: not black, and changing from frame to frame.
for _ in $(seq 50); do
  shoot
  [ "$(region_mean "$SHOT" "$PREVIEW")" -ge 20 ] && break
  sleep 0.2
done
[ "$(region_mean "$SHOT" "$PREVIEW")" -ge 20 ] || fail "preview still dark after opening the camera"
first=$SHOT
changed=0
for _ in $(seq 50); do
  sleep 0.2
  shoot
  changed=$(region_diff "$first" "$SHOT" "$PREVIEW")
  [ "$changed" -ge 200 ] && break
done
[ "$changed" -ge 200 ] || fail "preview did not change in ten seconds ($changed pixels)"
[ "$(region_red "$first" "$INDICATOR")" -lt 20 ] || fail "recording indicator shown before recording"

# The focus has moved to "开始录像".
shopt -s nullglob
before=$(date +%Y%m%d%H%M%S)
start=$(date +%s)
press "$win" space
for _ in $(seq 100); do
  files=("$WORK"/AVI/*/*.avi)
  [ ${#files[@]} -gt 0 ] && break
  sleep 0.1
done
[ ${#files[@]} -eq 1 ] || fail "expected one recording under $WORK/AVI, found ${#files[@]}"
after=$(date +%Y%m%d%H%M%S)
AVI=${files[0]}
wait_growth "$AVI" 10

# While recording the red ball blinks in the preview (8 of every 25 frames).
look_for_indicator 40
cp "$SHOT" "${E2E_SHOT_DIR:-$WORK}/recording-main.png" 2>/dev/null || true
[ "$RED" -ge 20 ] || fail "no recording indicator in the preview (at most $RED red pixels)"

# "关闭相机" and closing the window are refused while recording.
click_button "$win" 69
expect_refusal "关闭摄像机"
press "$win" alt+F4
expect_refusal "退出软件"
press "$win" Escape
expect_refusal "退出软件"

# About four seconds of recording in all, then "停止录像".
while [ $(($(date +%s) - start)) -lt 5 ]; do sleep 0.2; done
click_button "$win" 193
stopped=$(date +%s)
sleep 0.5
look_for_indicator 15
[ "$RED" -lt 20 ] || fail "recording indicator still blinking after stopping"
[ "$(region_mean "$SHOT" "$PREVIEW")" -ge 20 ] || fail "preview went dark on stopping the recording"
# Stopping completes the file; quitting must not touch it again.
size_stopped=$(stat -c %s "$AVI")

# Nothing to refuse any more: Escape ends the program.
press "$win" Escape
for _ in $(seq 50); do
  kill -0 "$APP_PID" 2>/dev/null || break
  [ -z "$(xdotool search --onlyvisible --name "^退出软件\$" 2>/dev/null || true)" ] ||
    fail "still recording after '停止录像': Escape was refused"
  sleep 0.1
done
wait_exit
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS after Escape"
[ "$(stat -c %s "$AVI")" -eq "$size_stopped" ] ||
  fail "the file changed after '停止录像' ($size_stopped bytes, then $(stat -c %s "$AVI")): not completed on stopping"

# The file: <program folder>/AVI/YYYY_MM_DD/YYYYMMDDhhmmss.avi, named when
# recording began.
files=("$WORK"/AVI/*/*.avi)
[ ${#files[@]} -eq 1 ] || fail "expected one recording, found ${#files[@]}: ${files[*]}"
name=$(basename "$AVI" .avi)
folder=$(basename "$(dirname "$AVI")")
[[ $name =~ ^[0-9]{14}$ ]] || fail "file name $name.avi is not YYYYMMDDhhmmss.avi"
[ "$folder" = "${name:0:4}_${name:4:2}_${name:6:2}" ] || fail "file $name.avi in folder $folder"
[ "$name" -ge "$before" ] && [ "$name" -le "$after" ] ||
  fail "file named $name, recording began between $before and $after"

# What ffprobe sees: one stream, video, XVID 640x480 at 25 frames a second.
probe() { ffprobe -v error "$@" -of default=nw=1 "$AVI"; }
value() { sed -n "s/^$1=//p" <<<"$2" | head -n 1; }
streams=$(probe -show_entries format=nb_streams)
types=$(probe -show_entries stream=codec_type)
[ "$(value nb_streams "$streams")" = 1 ] || fail "streams: $streams"
[ "$types" = "codec_type=video" ] || fail "stream types: $types"
video=$(probe -count_frames -select_streams v:0 \
  -show_entries stream=codec_tag_string,width,height,r_frame_rate,nb_read_frames)
[ "$(value codec_tag_string "$video")" = XVID ] || fail "codec: $video"
[ "$(value width "$video")" = 640 ] && [ "$(value height "$video")" = 480 ] || fail "size: $video"
[ "$(value r_frame_rate "$video")" = 25/1 ] || fail "rate: $video"
probed=$(value nb_read_frames "$video")

# What OpenCV reads back: every frame the camera's next one, none without
# its code, none twice, and never the preview's red ball.
summary=$("$CHECK" "$AVI") || fail "recording-check could not read $AVI"
frames=$(value frames "$summary")
[ "$frames" = "$probed" ] || fail "OpenCV read $frames frames, ffprobe $probed"
elapsed=$((stopped - start))
# How many frames a few seconds give depends on the machine's speed; that
# there are some, each the camera's next, does not.
[ "$frames" -ge 1 ] || fail "no frames in about $elapsed s"
[ "$(value codes_read "$summary")" = "$frames" ] || fail "frames without a readable code: $summary"
[ "$(value repeats "$summary")" = 0 ] || fail "frames repeated or out of order: $summary"
[ "$(value indicator_frames "$summary")" = 0 ] || fail "the red ball reached the file: $summary"
echo "frames recorded: $frames in about $elapsed s"
echo "camera frames skipped: $(value skipped "$summary")"
echo "PASS recording"
