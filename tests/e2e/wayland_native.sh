#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Without an X server on a Wayland desktop, Study and Manager run as Wayland
# clients of a headless weston: Study shows the first question, both put up
# a window (an xdg toplevel with their title), and weston-screenshooter
# takes a picture of each.
source "$(dirname "$0")/weston.sh"
make_bank "交通安全法律,第1题,答一" "交通信号,信号b,答二"
settings ctimeword=15
# The client's side of the Wayland protocol, to see the window appear.
export WAYLAND_DEBUG=client
start Study
STUDY=$LAST_PID
wait_log 'study\.display: window system: wayland' 20
wait_log 'study\.display: record 1 of [0-9]+' 20
wait_log 'xdg_toplevel@[0-9]+\.set_title\(".+"\)' 20
wait_log 'wl_surface@[0-9]+\.attach\(wl_buffer@[0-9]+' 20
wait_log 'xdg_surface@[0-9]+\.ack_configure' 20
grep -q 'window system: xcb' "$LOG" && fail "Study chose X11 without an X server"
wl_shot wayland_study
[ "$(identify -format '%w %h' "$SHOT_DIR/wayland_study.png")" = "1280 1024" ] || fail "the screenshot is not of the output"
[ "$(convert "$SHOT_DIR/wayland_study.png" -format '%k' info:)" -gt 16 ] || fail "the screenshot shows nothing"
kill "$STUDY"
gone "$STUDY" 5 || fail "Study did not end"

: >"$LOG"
start Manager
MANAGER=$LAST_PID
wait_log 'xdg_toplevel@[0-9]+\.set_title\("题目管理"\)' 20
wait_log 'wl_surface@[0-9]+\.attach\(wl_buffer@[0-9]+' 20
wait_log 'xdg_surface@[0-9]+\.ack_configure' 20
wl_shot wayland_manager
[ "$(convert "$SHOT_DIR/wayland_manager.png" -format '%k' info:)" -gt 16 ] || fail "the screenshot shows nothing"
# The compositor ignores the window region of a top-level window, so the
# rounded corners of the title band show whatever the skin drew there: never
# its key colour.
key=$(convert "$SHOT_DIR/wayland_manager.png" -alpha off -fill black +opaque '#FF00FF' \
  -fill white -opaque '#FF00FF' -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$key" -eq 0 ] || fail "$key pixels of the skin's key colour on screen"
kill "$MANAGER"
gone "$MANAGER" 5 || fail "Manager did not end"
echo ok
