#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The mock exam under a window manager, by keys alone: E on the display
# opens 模拟考试 (the display waits meanwhile), Space takes 科目一 from the
# shipped bank, every question answered by its key (the window's log says
# which question it shows and its answer): all right is 100 and a pass; the
# next paper all wrong is a fail; closing the window lets the display go on.
# Then, with a clock of a few seconds, the paper is submitted by itself.
source "$E2E_LIB"
settings ctimeword=30 voice=0

since() {  # line-offset pattern -> the last matching line after that offset
  tail -n +"$(($1 + 1))" "$LOG" | grep -E -- "$2" | tail -n 1
}
wait_since() {  # line-offset pattern [seconds]
  local i
  for ((i = 0; i < ${3:-10} * 10; i++)); do
    [ -n "$(since "$1" "$2")" ] && return 0
    sleep 0.1
  done
  fail "no log line after line $1 matching: $2"
}
lines() { wc -l <"$LOG"; }
wait_active() {  # window
  local i
  for ((i = 0; i < 100; i++)); do
    [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "window $1 is not active"
}

# The keys for a response: judgements by 1/2 or Y/N, choices by letter or
# digit (both forms used, alternately), a 多选 confirmed by Enter.
keys_for() {  # right|wrong kind answer n
  local mode=$1 kind=$2 answer=$3 n=$4 letters k out=()
  if [ "$kind" = 判断 ]; then
    local yes=0
    [ "$answer" = 正确 ] && yes=1
    [ "$mode" = wrong ] && yes=$((1 - yes))
    if ((n % 2)); then [ $yes = 1 ] && echo y || echo n; else [ $yes = 1 ] && echo 1 || echo 2; fi
    return
  fi
  letters=$answer
  if [ "$mode" = wrong ]; then [ "$answer" = A ] && letters=B || letters=A; fi
  for ((k = 0; k < ${#letters}; k++)); do
    local c=${letters:k:1}
    if ((n % 2)); then out+=("$(tr 'A-D' 'a-d' <<<"$c")"); else out+=("$(tr 'A-D' '1-4' <<<"$c")"); fi
  done
  [ "$kind" = 多选 ] && out+=(Return)
  echo "${out[@]}"
}

# Answers the questions of the paper begun after line $1, the first `upto`
# of them (all when not given): the paper's key is in the log as it begins;
# the keys go in ten at a time, each ten waited for. The first question
# with a picture is looked at (and enlarged) on the way.
answer_paper() {  # offset right|wrong count [upto]
  local from=$1 mode=$2 count=$3 upto=${4:-$3} i line kind answer keys=()
  local paper
  wait_since "$from" "exam paper question $count of $count kind"
  mapfile -t paper < <(tail -n +"$((from + 1))" "$LOG" | grep -E "exam paper question [0-9]+ of $count kind")
  [ "${#paper[@]}" = "$count" ] || fail "the paper's key has ${#paper[@]} lines"
  for ((i = 1; i <= upto; i++)); do
    line=${paper[i - 1]}
    kind=$(sed -E 's/.* kind ([^ ]+) .*/\1/' <<<"$line")
    answer=$(sed -E 's/.* answer ([^ ]+) .*/\1/' <<<"$line")
    if [ -z "${LOOKED:-}" ] && grep -q 'picture yes' <<<"$line"; then
      LOOKED=1
      flush_keys "$from" $((i - 1))
      look_at_picture "$from" "$i" "$count"
    fi
    # shellcheck disable=SC2207
    keys+=($(keys_for "$mode" "$kind" "$answer" "$i"))
    if ((i % 10 == 0 || i == upto)); then
      flush_keys "$from" "$i"
      if [ "$i" = 50 ]; then shot "mockexam_grid_$mode"; fi
    fi
  done
}

flush_keys() {  # offset answered-so-far; sends the keys gathered in `keys`
  [ "${#keys[@]}" -gt 0 ] && xdotool key --delay 30 "${keys[@]}"
  keys=()
  [ "$2" -gt 0 ] && wait_since "$1" "response $2 " 20
  return 0
}

look_at_picture() {  # offset question count
  local before
  wait_since "$1" "exam shows question $2 of $3 kind .* picture yes"
  before=$(lines)
  shot mockexam_picture
  xdotool key z
  wait_since "$before" 'picture zoomed to'
  shot mockexam_zoom
  xdotool key Escape
  wait_since "$before" 'picture zoom closed'
  wait_active "$EXAM_WIN"
}

open_exam() {
  local before
  before=$(lines)
  click_in "$STUDY_WIN" 20 20
  xdotool key e
  wait_since "$before" 'exam window opened'
  wait_since "$before" 'display waits while the mock exam is open'
  EXAM_WIN=$(window_named 模拟考试) || fail "no window 模拟考试"
  wait_active "$EXAM_WIN"
}

start_study 'record 1 of'
open_exam
shot mockexam_start
from=$(lines)
xdotool key space
wait_since "$from" 'exam window shows paper 科目一 of 100 questions, 45:00'
shot mockexam_question
answer_paper "$from" right 100
xdotool key ctrl+Return
wait_since "$from" 'exam window shows result 100 of 100, passed, submitted'
shot mockexam_result_pass

# Space takes another paper (the result's 再考一次 has the focus).
from=$(lines)
xdotool key space
wait_since "$from" 'exam window shows paper 科目一 of 100 questions'
answer_paper "$from" wrong 100
xdotool key ctrl+Return
wait_since "$from" 'exam window shows result 0 of 100, failed, submitted'
shot mockexam_result_fail

from=$(lines)
xdotool key alt+F4
wait_since "$from" 'display goes on after the mock exam'
wait_since "$from" 'record [0-9]+ of' 40
study_menu Up Return
gone "$STUDY" 5 || fail "Study did not end after exit"
papers=$(sqlite3 "$APP/progress.db" 'select paper || ":" || score from paper order by id' | tr '\n' ' ')
[ "$papers" = "科目一:100 科目一:0 " ] || fail "papers kept: $papers"

# A clock of a few seconds: the paper goes in by itself.
export QUILLMERE_EXAM_SECONDS=12
start_study 'record 1 of'
open_exam
from=$(lines)
xdotool key space
wait_since "$from" 'exam window shows paper 科目一 of 100 questions, 00:12'
answer_paper "$from" right 100 2
wait_since "$from" 'exam window shows result 2 of 100, failed, time up' 30
shot mockexam_result_timeup
papers=$(sqlite3 "$APP/progress.db" 'select count(*) from paper')
[ "$papers" = 3 ] || fail "papers kept: $papers"
echo ok
