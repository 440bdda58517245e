#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study's window, its options dialog and Manager at QT_SCALE_FACTOR 1, 1.5
# and 2: twips and pixels scale together, so every window is the same
# layout, its device size the scale times the size at 1.
source "$E2E_LIB"
settings ctimeword=30 guageword=1

size_of() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$WIDTH $HEIGHT"; }

measure() {  # scale; sets SIZES to "study_w study_h options_w options_h manager_w manager_h"
  local scale=$1 pid win opt m mw out
  : >"$LOG"
  QT_SCALE_FACTOR=$scale "$APP/Study" >>"$LOG" 2>&1 &
  pid=$!
  PIDS+=($pid)
  wait_log 'record 1 of' 10
  win=$(window_of "$pid") || fail "no Study window at $scale"
  sleep 0.3
  out="$(size_of "$win")"
  click_in "$win" 10 10 3
  sleep 0.3
  xdotool key o
  opt=
  for _ in $(seq 50); do
    opt=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$win\$" | tail -n 1 || true)
    [ -n "$opt" ] && break
    sleep 0.1
  done
  [ -n "$opt" ] || fail "no options dialog at $scale"
  sleep 0.3
  out="$out $(size_of "$opt")"
  shot "hidpi_options_$scale"
  xdotool key Escape
  QT_SCALE_FACTOR=$scale "$APP/Manager" >>"$LOG" 2>&1 &
  m=$!
  PIDS+=($m)
  mw=$(window_of "$m") || fail "no Manager window at $scale"
  sleep 0.5
  out="$out $(size_of "$mw")"
  shot "hidpi_manager_$scale"
  kill "$m" "$pid"
  gone "$m" 5 && gone "$pid" 5 || fail "the programs did not end at $scale"
  SIZES=$out
}

measure 1
read -r -a one <<<"$SIZES"
for scale in 1.5 2; do
  measure "$scale"
  read -r -a scaled <<<"$SIZES"
  names=(Study Study options options Manager Manager)
  for i in 0 1 2 3 4 5; do
    # Qt rounds the device size of a fractional scale either way.
    want=$(echo "${one[$i]} * $scale" | bc)
    diff=$(echo "d = ${scaled[$i]} - $want; if (d < 0) d = -d; d <= 1" | bc)
    [ "$diff" = 1 ] || fail "${names[$i]} at $scale: ${scaled[$i]} device pixels, expected $want (${one[*]} at 1, ${scaled[*]} at $scale)"
  done
done
echo ok
