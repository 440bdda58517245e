#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study's start to the first question on screen beside a bare Qt window's
# start to its first paint, and the CPU Study uses over 60 s of display at the
# 7-second step. Runs on a private X display: scripts/xsession bash this-file
set -euo pipefail
bin=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/bin}
runs=${RUNS:-10}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run QUILLMERE_SPEECH=silent
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LOGGING_RULES="study.display=true"

now() { date +%s%N; }
wait_line() {  # file pattern
  for _ in $(seq 2000); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.005; done
  echo "timed out waiting for $2" >&2; return 1
}

study_total=0 bare_total=0
for i in $(seq "$runs"); do
  rm -rf "$XDG_CONFIG_HOME"
  t0=$(now); "$bin/Study" 2>"$tmp/s.log" & pid=$!
  wait_line "$tmp/s.log" "geometry"; t1=$(now)
  kill $pid; wait $pid 2>/dev/null || true
  t2=$(now); "$bin/bench_barewindow" 2>"$tmp/b.log"; t3=$(now)
  grep -q "first paint" "$tmp/b.log"
  study_total=$((study_total + t1 - t0)); bare_total=$((bare_total + t3 - t2))
done
printf 'start to first question: Study %.1f ms, bare Qt window to first paint %.1f ms, ratio %.2f (%d runs)\n' \
  "$(echo "$study_total / $runs / 1000000" | bc -l)" "$(echo "$bare_total / $runs / 1000000" | bc -l)" \
  "$(echo "$study_total / $bare_total" | bc -l)" "$runs"

seconds=${CPU_SECONDS:-60}
rm -rf "$XDG_CONFIG_HOME"
"$bin/Study" 2>"$tmp/c.log" & pid=$!
wait_line "$tmp/c.log" "geometry"
ticks0=$(awk '{print $14+$15}' /proc/$pid/stat)
sleep "$seconds"
ticks1=$(awk '{print $14+$15}' /proc/$pid/stat)
kill $pid; wait $pid 2>/dev/null || true
hz=$(getconf CLK_TCK)
shown=$(grep -c 'record ' "$tmp/c.log")
printf 'CPU over %d s at the 7-second step: %.2f s (%.3f%%), %d records shown\n' "$seconds" \
  "$(echo "($ticks1 - $ticks0) / $hz" | bc -l)" "$(echo "($ticks1 - $ticks0) / $hz / $seconds * 100" | bc -l)" "$shown"
