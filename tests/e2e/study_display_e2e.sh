#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study on a three-question bank at a one-second step: the cycle, the menu,
# pause and exit.
source "$E2E_LIB"
make_bank "交通安全法律,第1题,答一" "交通安全法律,第2题,答二" "交通安全法律,第3题,答三"
settings ctimeword=1 guageword=1
start_study 'record 1 of 3'
pid=$STUDY win=$STUDY_WIN
wait_count "record [0-9] of 3" 5 8
order=$(grep -o -E 'record [0-9] of 3' "$LOG" | head -n 5 | cut -d' ' -f2 | tr -d '\n')
[ "$order" = 12312 ] || fail "cycle order $order, expected 12312"
grep -q 'record 1 of 3 : 第1题' "$LOG" || fail "question text not logged"
shot study_window

# Right-click opens the menu; the first entry pauses.
eval "$(xdotool getwindowgeometry --shell "$win")"
click_in "$win" 10 10 3
sleep 0.5
shot study_menu
menu=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$win\$" | head -n 1 || true)
[ -n "$menu" ] || fail "the pop-up menu did not open"
xdotool key p
sleep 0.3
before=$(count_log 'record [0-9] of 3')
sleep 2.5
after=$(count_log 'record [0-9] of 3')
[ "$before" = "$after" ] || fail "the cycle went on while paused ($before -> $after)"

# Exit from the menu ends the process.
click_in "$win" 10 10 3
sleep 0.5
xdotool key Up Return
gone "$pid" 5 || fail "Study did not end after exit"
echo ok
