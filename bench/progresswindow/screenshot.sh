#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the progress window over the shipped bank with a year of
# study behind it, opened from Study's menu as a learner would. Runs on the
# display of scripts/xsession:
#   PROGRAM_DIR=build/bin SHOT_DIR=<out> scripts/xsession \
#     bench/progresswindow/screenshot.sh build/bin/bench_progressdata [empty]
# With "empty", the store holds nothing and a second shot shows the window
# for a damaged store.
FILLER=$1 MODE=${2:-}
E2E_LIB=$(dirname "$0")/../../tests/e2e/lib.sh
source "$E2E_LIB"
if [ "$MODE" = empty ]; then
  head -c 4096 /dev/urandom >"$APP/progress.db"
else
  "$FILLER" "$APP" || fail "no progress data"
fi
start Study
wait_log "record 1 of"
win=$(window_of "$LAST_PID") || fail "no display window"
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 20)) $((Y + 10)) click 3
sleep 0.5
xdotool key j
wait_log "progress window filled in" 20
pw=$(window_named "学习进度") || fail "no progress window"
xdotool windowactivate --sync "$pw" 2>/dev/null || true
sleep 1
import -window root "$SHOT_DIR/progresswindow${MODE:+-$MODE}.png"
echo "saved $SHOT_DIR/progresswindow${MODE:+-$MODE}.png"
grep "progress window filled in" "$LOG"
