#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The personal-list editor opened from Study's menu: a question typed and
# saved with mouse and keyboard lands in word.ocx. (Typed in ASCII: xdotool
# drops Chinese characters under load; the editor tests cover Chinese text.)
source "$E2E_LIB"
make_bank "交通安全法律,第1题,答一"
settings ctimeword=15 guageword=1
start_study 'record 1 of 1'
study_menu n
ed=$(window_named "增加问题") || fail "the editor did not open"
sleep 1
shot editor_empty
# The question box at (16,48) and the answer box at (16,88); save at (24,112).
click_in "$ed" 60 57
type_text "Q-e2e yellow light"
click_in "$ed" 60 97
type_text "A-e2e look out"
click_in "$ed" 60 124
sleep 0.5
for q in "second question" "third question"; do
  type_text "$q"   # the cursor waits in the question box after a save
  click_in "$ed" 60 97
  type_text "answer"
  click_in "$ed" 60 124
  sleep 0.3
done
shot editor_filled
# While the editor is open it holds word.ocx for exclusive use.
sqlite3 "$APP/word.ocx" "select count(*) from Word" 2>/dev/null && fail "word.ocx was not held exclusively"
# Title-bar close (312,5) releases the editor; Study keeps running.
click_in "$ed" 322 15
sleep 0.5
xdotool search --onlyvisible --name '^增加问题$' >/dev/null 2>&1 && fail "editor still open"
kill -0 "$STUDY" || fail "Study ended with the editor"
rows=$(sqlite3 "$APP/word.ocx" "select English || '|' || Chinese from Word order by \"index\"")
echo "$rows" | grep -q '^Q-e2e yellow light|A-e2e look out$' || fail "record not in word.ocx: $rows"
[ "$(echo "$rows" | wc -l)" = 3 ] || fail "expected 3 records: $rows"
echo ok
