#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study's keys under a window manager: a click gives the window the keys, J
# puts the shown bank question into the personal list (a note says so, and
# says so again without a second row), a drag still moves the window, H switches answers after half a step,
# and the row is in word.ocx after Study has ended.
source "$E2E_LIB"
make_bank "交通安全法律,第1题：键盘加入,答一" "交通安全法律,第2题,答二"
settings ctimeword=15 guageword=1
start_study 'record 1 of 2'
click_in "$STUDY_WIN" 20 20
xdotool key j
wait_log 'note: 已加入'
sleep 0.3
shot keys_note_added
xdotool key j
wait_log 'note: 已在生词本中'
shot keys_note_already
# A drag still moves the window, and the keys still reach it afterwards.
before=$(xdotool getwindowgeometry "$STUDY_WIN" | grep Position)
xdotool mousemove --window "$STUDY_WIN" 20 20 mousedown 1
sleep 0.2
for _ in 1 2 3 4 5; do xdotool mousemove_relative -- 12 9; sleep 0.1; done
xdotool mouseup 1
sleep 0.5
after=$(xdotool getwindowgeometry "$STUDY_WIN" | grep Position)
[ "$before" != "$after" ] || fail "the drag did not move the window ($before)"
xdotool key h
wait_log 'note: 稍后显示答案：开'
grep -q 'write delayword = 1' "$LOG" || fail "H did not keep its choice"
xdotool key Right
wait_log 'record 2 of 2'
shot keys_answer_hidden
wait_log 'answer shown' 15
# Exit from the menu; the personal list is read after Study has let it go.
study_menu Up Return
gone "$STUDY" 5 || fail "Study did not end after exit"
rows=$(sqlite3 "$APP/word.ocx" "select English || '|' || Chinese from Word")
[ "$rows" = "第1题：键盘加入|答一" ] || fail "word.ocx holds: $rows"
grep -q '^delayword=1$' "$XDG_CONFIG_HOME/Vozo/zorvik24.ini" || fail "delayword not in the settings file"
echo ok
