#!/usr/bin/env bash
# Installs what is missing, builds, and starts the recorder. With no camera
# attached the virtual camera is switched on; with no desktop display the
# recorder runs on a virtual X display (Xvfb) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

has_capture_node() {
  for n in /sys/class/video4linux/video*; do
    [ -e "$n" ] && return 0
  done
  return 1
}
if [ -z "${MORVANE_VIRTUAL_CAMERAS:-}" ] && ! has_capture_node; then
  echo "No camera attached: using the virtual camera (MORVANE_VIRTUAL_CAMERAS=1)."
  export MORVANE_VIRTUAL_CAMERAS=1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  num=99
  while [ -e "/tmp/.X${num}-lock" ]; do num=$((num + 1)); done
  echo "No desktop display: running the recorder on virtual display :${num} (Xvfb)."
  echo "Look at it with: DISPLAY=:${num} xwd -root | convert xwd:- shot.png"
  exec xvfb-run --server-num="${num}" --server-args="-screen 0 1280x1024x24" ./build/morvane
fi
exec ./build/morvane
