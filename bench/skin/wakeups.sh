#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Wake-ups per second of the programs while nothing happens on screen: Study
# with its question editor open (active, inactive, the cursor resting on a
# button), Study in the order by memory, and Manager (cursor away, cursor on a button). A wake-up is a
# voluntary context switch of the program's threads (/proc/<pid>/task/*/status):
# each time an event loop or a worker leaves its wait. Each figure is taken
# between two display ticks (a 30-second step), after a second to settle.
# Beside them, the floor: a bare Qt window with nothing to do.
# Runs on a private X display: scripts/xsession bash bench/skin/wakeups.sh [build/bin]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/bin}
seconds=${SECONDS_PER_FIGURE:-8}
tmp=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done; rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/run
export QUILLMERE_SPEECH=silent QUILLMERE_DATA_MODE=portable
export QT_LOGGING_RULES="study.display=true"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Vozo" "$tmp/app" && mkdir -m 700 "$XDG_RUNTIME_DIR"
for f in Study Manager reg.ocx word.ocx; do cp "$bin/$f" "$tmp/app/"; done
printf '[General]\nxxx=1\nctimeword=30\nguageword=0\nvoice=1\n' >"$XDG_CONFIG_HOME/Vozo/zorvik24.ini"
log=$tmp/log

switches() {  # pid -> voluntary context switches of all its threads
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n + 0}'
}
wait_for() {  # command... ; up to 20 s
  for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "timed out: $*" >&2; return 1
}
visible() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
records() { grep -c 'record ' "$log" 2>/dev/null || true; }
# Waits for the next display tick, settles, then counts over $seconds.
figure() {  # label pid
  local before after n0 n1
  n0=$(records)
  for _ in $(seq 400); do [ "$(records)" -gt "$n0" ] && break; sleep 0.1; done
  sleep 1
  n0=$(records)
  before=$(switches "$2")
  sleep "$seconds"
  after=$(switches "$2")
  n1=$(records)
  [ "$n0" = "$n1" ] || echo "($1: a display tick fell into the count)" >&2
  printf '%-44s %7.1f wake-ups/s\n' "$1" "$(echo "($after - $before) / $seconds" | bc -l)"
}
plain_figure() {  # label pid; no display ticks to avoid
  local before after
  sleep 1
  before=$(switches "$2")
  sleep "$seconds"
  after=$(switches "$2")
  printf '%-44s %7.1f wake-ups/s\n' "$1" "$(echo "($after - $before) / $seconds" | bc -l)"
}

if [ -x "$bin/bench_barewindow" ]; then
  "$bin/bench_barewindow" --stay >/dev/null 2>&1 & bare=$!; pids+=("$bare")
  if wait_for visible "bare window"; then plain_figure "floor: a bare Qt window" "$bare"; fi
  kill "$bare" 2>/dev/null || true
fi

xdotool mousemove 1200 1000
"$tmp/app/Study" 2>"$log" & study=$!; pids+=("$study")
wait_for grep -q 'record 1 of' "$log"
main=$(xdotool search --onlyvisible --pid "$study" | head -n 1)
figure "Study, display only" "$study"
xdotool mousemove --window "$main" 10 10 click 3
sleep 0.5
xdotool key n
wait_for visible "增加问题"
ed=$(visible "增加问题")
xdotool windowactivate --sync "$ed" 2>/dev/null || true
xdotool mousemove 1200 1000
figure "Study, editor active" "$study"
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool mousemove --window "$main" 10 10 click 1
figure "Study, editor inactive" "$study"
xdotool windowactivate --sync "$ed" 2>/dev/null || true
xdotool mousemove --window "$ed" 60 124  # the save button
figure "Study, editor active, cursor on a button" "$study"
xdotool mousemove --window "$ed" 322 15  # the title-band close button
figure "Study, editor active, cursor on close" "$study"
kill "$study"; wait "$study" 2>/dev/null || true

# The order by memory: the same quiet between the steps (and the answer's pause).
echo 'studyorder=1' >>"$XDG_CONFIG_HOME/Vozo/zorvik24.ini"
"$tmp/app/Study" 2>"$log" & study=$!; pids+=("$study")
wait_for grep -q 'by memory:' "$log"
figure "Study, order by memory" "$study"
kill "$study"; wait "$study" 2>/dev/null || true

xdotool mousemove 1200 1000
"$tmp/app/Manager" 2>>"$log" & manager=$!; pids+=("$manager")
wait_for visible "题目管理"
mw=$(visible "题目管理")
xdotool windowactivate --sync "$mw" 2>/dev/null || true
plain_figure "Manager, active" "$manager"
xdotool mousemove --window "$mw" 300 412  # the exit button
plain_figure "Manager, cursor on a button" "$manager"
kill "$manager"; wait "$manager" 2>/dev/null || true
