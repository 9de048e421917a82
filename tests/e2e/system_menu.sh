#!/usr/bin/env bash
# The window's own system menu, as an operator uses it: a right-click opens
# it, its last entry opens the About box, Escape closes that box and leaves
# the main window open, and Alt+F4 then ends the program with status 0.
. "$(dirname "$0")/lib.bash"

start_xvfb
start_program
title="Vexaro   视频录像软件"
win=$(wait_window "$title")
open_context_menu "$win"
# The About entry is the menu's last one.
xdotool key Up Return
about=$(wait_window "关于 Morvane")
press "$about" Escape
wait_no_window "关于 Morvane"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the About box"
[ -n "$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true)" ] || fail "main window gone"

# Once more, closing the About box with its button this time.
open_context_menu "$win"
xdotool key Up Return
about=$(wait_window "关于 Morvane")
press "$about" Return   # "确定" is the default button
wait_no_window "关于 Morvane"

press "$win" alt+F4
wait_exit
rc=$EXIT_STATUS
[ "$rc" -eq 0 ] || fail "exit status $rc after Alt+F4"
echo "PASS system_menu"
