#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study in the order by memory: the first question is chosen by memory, its
# answer waits for half a step, key 3 grades it (a note tells when it comes
# again) and the display moves on; the grade is in progress.db beside the
# personal list, and the bank is left as it was.
source "$E2E_LIB"
make_bank "交通安全法律,第1题：按记忆,答一" "交通安全法律,第2题,答二" "交通安全法律,第3题,答三"
settings ctimeword=15 guageword=1 studyorder=1
bank_before=$(sha256sum "$APP/reg.ocx")
start_study 'by memory: new'
grep -q 'order: studyorder=1 newperday=20 retention=90' "$LOG" || fail "the order's settings were not read"
click_in "$STUDY_WIN" 20 20
wait_log 'answer shown' 20
sleep 0.3
xdotool key 3
wait_log 'note: 记得 · 下次：3 天后'
wait_log 'grade 3 written'
wait_count 'by memory: new' 2
sleep 0.3
shot memory_order_note
[ -f "$APP/progress.db" ] || fail "no progress.db beside word.ocx"
study_menu Up Return
gone "$STUDY" 5 || fail "Study did not end after exit"
reviews=$(sqlite3 "$APP/progress.db" "select count(*) || ':' || max(grade) from review")
[ "$reviews" = "1:3" ] || fail "progress.db holds reviews: $reviews"
[ "$(sha256sum "$APP/reg.ocx")" = "$bank_before" ] || fail "the bank was written"
echo ok
