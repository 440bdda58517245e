#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A second start of Study while one runs: it asks the running one to bring
# its window forward and ends at once, showing no window of its own; the
# running one stays and keeps its window. A socket left by a killed Study
# does not stop the next start. Neither maps Qt Network.
source "$E2E_LIB"
make_bank "交通安全法律,1.第一题,对" "交通安全法律,2.第二题,错"
settings ctimeword=60 guageword=0 voice=0

start_study 'geometry'
first=$STUDY
grep -q 'libQt6Network' "/proc/$first/maps" && fail "Study maps Qt Network"
# Something else in front, so that bringing Study forward is seen.
start Manager
manager=$LAST_PID
manager_win=$(window_of "$manager") || fail "no Manager window"
xdotool windowactivate --sync "$manager_win" 2>/dev/null || true
[ "$(xdotool getactivewindow)" != "$STUDY_WIN" ] || fail "Study was in front before the second start"

"$APP/Study" >>"$LOG" 2>&1 & second=$!
gone "$second" 20 || fail "the second start did not end"
wait "$second" || fail "the second start did not end with 0"
wait_log 'another instance is running; asked it to activate'
kill -0 "$first" || fail "the running Study ended"
[ "$(xdotool search --onlyvisible --pid "$second" 2>/dev/null | wc -l)" = 0 ] ||
  fail "the second start showed a window"
for _ in $(seq 50); do [ "$(xdotool getactivewindow)" = "$STUDY_WIN" ] && break; sleep 0.1; done
shot second_start
[ "$(xdotool getactivewindow)" = "$STUDY_WIN" ] || fail "the running Study was not brought forward"
kill "$manager"

# Killed without a chance to clean up: its socket stays, and must not count.
kill -9 "$first"
gone "$first" 10 || fail "Study did not end"
[ -n "$(find "$XDG_RUNTIME_DIR" -type s)" ] || fail "no socket left behind to test with"
: >"$LOG"
start_study 'geometry'
"$APP/Study" >>"$LOG" 2>&1 & again=$!
gone "$again" 20 || fail "the start after the stale socket's taker did not end"
wait_log 'another instance is running; asked it to activate'
echo ok
