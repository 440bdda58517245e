#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A step that falls while the learner drags Study's window: the window manager
# keeps the old size during its move; once the move ends, the window takes the
# size of the record it shows, and the whole of that record can be read.
source "$E2E_LIB"
long="第2题：机动车在高速公路上发生故障时，应当开启危险报警闪光灯，并在来车方向一百五十米以外设置警告标志，车上人员应当迅速转移到右侧路肩上或者应急车道内，并且迅速报警，驾驶人应当怎样做？"
make_bank "交通安全法律,第1题,答一" "交通安全法律,$long,应当立即报警"
settings ctimeword=6 FontSizeNumber=16
start_study 'record 1 of 2'
wait_log '^.*geometry [0-9-]+ [0-9-]+ [0-9]+x[0-9]+'
size_now() { xdotool getwindowgeometry "$STUDY_WIN" | awk '/Geometry:/ {print $2}'; }
first=$(size_now)
# Press, and keep dragging until the step has fallen and a little after.
xdotool mousemove --window "$STUDY_WIN" 20 20 mousedown 1
sleep 0.2
for ((i = 0; i < 200; i++)); do
  xdotool mousemove_relative -- $((i % 2 ? 3 : -3)) 2
  sleep 0.05
  [ "$(count_log 'record 2 of 2')" -ge 1 ] && break
done
[ "$(count_log 'record 2 of 2')" -ge 1 ] || fail "no step fell during the drag"
for _ in 1 2 3 4 5 6; do xdotool mousemove_relative -- 4 3; sleep 0.1; done
wanted=$(grep -A3 'record 2 of 2' "$LOG" | grep -m1 -o 'geometry .*' | awk '{print $4}')
[ -n "$wanted" ] && [ "$wanted" != "$first" ] || fail "record 2 should want another size than $first (wants $wanted)"
during=$(size_now)
shot drag_step_during
xdotool mouseup 1
# Within the record's own step (6 s), without waiting for the next one: the
# first size after the move's end must be the record's own, not the next
# record's. On a loaded machine the drag and its screenshot can use up most
# of the step, so the window system's size is checked only while the record
# still shows.
wait_log 'move ended' 20
applied=""
for ((i = 0; i < 200; i++)); do
  applied=$(sed -n '/move ended/,$p' "$LOG" | grep -m1 -o 'geometry .*' | awk '{print $4}')
  [ -n "$applied" ] && break
  sleep 0.1
done
[ "$applied" = "$wanted" ] || fail "the next step came before the size was applied (applied $applied, record 2 wants $wanted)"
seen=""
for ((i = 0; i < 100; i++)); do
  [ "$(count_log 'record 1 of 2')" -ge 2 ] && break
  [ "$(size_now)" = "$wanted" ] && { seen=yes; break; }
  sleep 0.1
done
shot drag_step_after
[ -n "$seen" ] || [ "$(count_log 'record 1 of 2')" -ge 2 ] ||
  fail "after the drag the window is $(size_now), record 2 wants $wanted (during the drag: $during)"
grep -m1 "move ended" "$LOG" || true
echo "during the drag $during, applied at the move's end $applied, seen by the window system: ${seen:-no (the next step came first)}"
echo ok
