#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study hands over to Manager, which edits the bank: a question added under
# a chosen category is found in reg.ocx.
source "$E2E_LIB"
make_bank "交通安全法律,第1题,答一" "交通信号,信号b,答二" "交通信号,信号a,答三"
settings ctimeword=15 guageword=0
start_study 'record 1 of 3'
study_menu Down Down Down Return   # the third entry: 题目管理(&E)
gone "$STUDY" 5 || fail "Study did not end after the hand-over"
grep -q 'hand-over to Manager started' "$LOG" || fail "Manager was not started"
mgr=$(window_named "题目管理") || fail "no Manager window"
sleep 0.8
shot manager_start
# No database is open before a category is chosen.
sqlite3 "$APP/reg.ocx" "select count(*) from Word" >/dev/null || fail "reg.ocx held before a category was chosen"
click_in "$mgr" 300 74           # Combo1
sleep 0.4
xdotool key Down Return          # 交通信号 (the open list starts on the first name)
sleep 0.6
grep -q "record set select \* from word where category='交通信号' ORDER BY English -> 2 records" "$LOG" \
  || fail "category query not run"
sqlite3 "$APP/reg.ocx" "select count(*) from Word" >/dev/null 2>&1 && fail "reg.ocx not held exclusively"
shot manager_category
click_in "$mgr" 308 348          # CmdAdd
click_in "$mgr" 360 149          # text1
type_text "Manager e2e question"
click_in "$mgr" 360 221          # text2
type_text "Manager e2e answer"
click_in "$mgr" 308 316          # cmdSave
sleep 0.4
shot manager_saved
[ -f "$APP/reg.ocx.bak" ] || fail "no backup before the first write"
mpid=$(xdotool getwindowpid "$mgr")
click_in "$mgr" 308 412          # 退出
gone "$mpid" 5 || fail "Manager did not end"
row=$(sqlite3 "$APP/reg.ocx" "select category || '|' || Chinese from Word where English='Manager e2e question'")
[ "$row" = "交通信号|Manager e2e answer" ] || fail "saved row: '$row'"
[ "$(sqlite3 "$APP/reg.ocx.bak" "select count(*) from Word")" = 3 ] || fail "backup does not hold the old bank"
echo ok
