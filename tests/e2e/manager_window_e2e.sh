#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Manager's window under a window manager: maximised by its title button and
# restored, resized, and opened again at the size it ended with; the keys
# appear only once the size changed, and a size too large for the screen is
# clamped.
source "$E2E_LIB"
long="驾驶机动车在高速公路上发生故障时，应当立即开启危险报警闪光灯，将车辆移至不妨碍交通的地方停放，难以移动的，应当持续开启危险报警闪光灯，并在来车方向150米以外设置警告标志，车上人员应当迅速转移到右侧路肩上或者应急车道内，并且迅速报警。"
make_bank "交通信号,$long,正确" "交通信号,信号灯,红灯停"
INI=$XDG_CONFIG_HOME/Vozo/zorvik24.ini

size_of() { xdotool getwindowgeometry "$1" | awk '/Geometry:/ {print $2}'; }
wait_size() {  # window test-expression-on-W-and-H
  local i g
  for ((i = 0; i < 100; i++)); do
    g=$(size_of "$1"); W=${g%x*}; H=${g#*x}
    eval "$2" && return 0
    sleep 0.1
  done
  fail "window size $g, wanted $2"
}
# The exit button, wherever the window's size put it: it keeps to the bottom
# and moves right with the list's third of the extra width.
exit_manager() {  # window
  local g W H pid
  g=$(size_of "$1"); W=${g%x*}; H=${g#*x}
  pid=$(xdotool getwindowpid "$1")
  click_in "$1" $((264 + (W - 481) / 3 + 44)) $((400 + H - 449 + 12))
  gone "$pid" 5 || fail "Manager did not end from its exit button"
}
open_manager() {
  start Manager
  MGR=$(window_of "$LAST_PID") || fail "no Manager window"
}

open_manager
wait_size "$MGR" '[ "$W" = 481 ] && [ "$H" = 449 ]'
click_in "$MGR" 300 74           # Combo1
sleep 0.4
xdotool key Down Return          # 交通信号
wait_log "category='交通信号' ORDER BY English -> 2 records"
click_in "$MGR" 60 57            # the long question (second by ORDER BY English)
sleep 0.5
shot manager_window_default
click_in "$MGR" 434 15           # the maximise button
wait_size "$MGR" '[ "$W" -gt 1000 ] && [ "$H" -gt 900 ]'
sleep 0.5
shot manager_window_maximised
exit_manager "$MGR"
grep -q '^ManagerMaximised=1' "$INI" || fail "maximised state not kept: $(cat "$INI" 2>/dev/null)"
grep -qi '^ManagerWidth' "$INI" && fail "a width written though the size never changed"

open_manager
wait_size "$MGR" '[ "$W" -gt 1000 ] && [ "$H" -gt 900 ]'
g=$(size_of "$MGR")
click_in "$MGR" $((${g%x*} - 57 + 10)) 15  # now the restore button
wait_size "$MGR" '[ "$W" = 481 ] && [ "$H" = 449 ]'
xdotool windowsize "$MGR" 800 650
wait_size "$MGR" '[ "$W" = 800 ] && [ "$H" = 650 ]'
exit_manager "$MGR"
grep -q '^ManagerWidth=800' "$INI" && grep -q '^ManagerHeight=650' "$INI" \
  && grep -q '^ManagerMaximised=0' "$INI" || fail "size not kept: $(cat "$INI")"

open_manager
wait_size "$MGR" '[ "$W" = 800 ] && [ "$H" = 650 ]'
click_in "$MGR" 400 74           # Combo1, moved right by a third of 319
sleep 0.4
xdotool key Down Return
wait_count "category='交通信号' ORDER BY English -> 2 records" 2
click_in "$MGR" 60 57
sleep 0.5
shot manager_window_kept
exit_manager "$MGR"

sed -i 's/^ManagerWidth=.*/ManagerWidth=5000/' "$INI"
open_manager
wait_size "$MGR" '[ "$W" -le 1280 ] && [ "$W" -ge 1000 ] && [ "$H" = 650 ]'
exit_manager "$MGR"
grep -q '^ManagerWidth=5000' "$INI" || fail "a size only clamped was written over"
echo ok
