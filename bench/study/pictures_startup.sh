#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study's start to the first question, and its resident memory then, on a
# bank of real size with pictures (3,600 questions, 1,300 JPEG and PNG
# pictures of 20-60 KB, written by bench_picturebank; the display shows all
# questions and starts on one with a picture) and on the shipped bank, beside
# a bare Qt window's start to its first paint and its memory. Two floors: the
# empty window, and the same window painting one line of Chinese text (fonts,
# CJK fallback, shaping: what any window showing a question pays); the ratios
# and differences are given against both. All are timed alike, from the
# launch to their log line, interleaved run by run; medians of RUNS runs.
# Memory is read half a second after that line. The processor time each
# used up to its line is given too: on a busy machine it varies far less
# than the time on the clock.
# With COMPARE naming another program folder, that folder's Study is timed
# too, interleaved with this one's, so that a change can be weighed against
# the build before it under the same load.
# Runs on a private X display: scripts/xsession bash this-file [program-folder]
set -euo pipefail
bin=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/bin}
runs=${RUNS:-10}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/run
export QUILLMERE_SPEECH=silent QUILLMERE_DATA_MODE=portable QT_LOGGING_RULES="study.display=true"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Vozo" && mkdir -m 700 "$XDG_RUNTIME_DIR"

"$bin/bench_picturebank" "$tmp/generated"
mkdir "$tmp/shipped" && cp "$bin/reg.ocx" "$bin/word.ocx" "$tmp/shipped/"
# Every question, no step during the measurement.
printf '[General]\nxxx=1\nguageword=0\nctimeword=60\nvoice=0\n' >"$XDG_CONFIG_HOME/Vozo/zorvik24.ini"

now() { date +%s%N; }
wait_line() { # file pattern
  for _ in $(seq 4000); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.005; done
  echo "timed out waiting for $2 in $1" >&2
  cat "$1" >&2
  return 1
}
median() { sort -n | awk '{v[NR] = $1} END {printf "%.0f\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Processor time (ms) of a process's threads so far, to the nanosecond.
cpu_ms() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.1f\n", s / 1e6}'; }
# measure name pattern command... : appends the time (ns), the processor time
# (ms) and the resident memory (kB) to $tmp/name.t, .c and .m
measure() {
  local name=$1 pattern=$2 log=$tmp/$1.log pid t0 t1
  shift 2
  : >"$log"
  t0=$(now)
  "$@" 2>"$log" &
  pid=$!
  wait_line "$log" "$pattern"
  t1=$(now)
  cpu_ms "$pid" >>"$tmp/$name.c"
  sleep 0.5
  awk '/^VmRSS/ {print $2}' "/proc/$pid/status" >>"$tmp/$name.m"
  echo $((t1 - t0)) >>"$tmp/$name.t"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

for _ in $(seq "$runs"); do
  measure bare "first paint" "$bin/bench_barewindow" --stay
  measure text "first paint" "$bin/bench_barewindow" --stay --text
  QUILLMERE_PROGRAM_DIR=$tmp/generated measure generated "geometry" "$bin/Study"
  grep -q "picture .* jpeg\|picture .* png" "$tmp/generated.log" || { echo "no picture shown at start" >&2; exit 1; }
  QUILLMERE_PROGRAM_DIR=$tmp/shipped measure shipped "geometry" "$bin/Study"
  if [ -n "${COMPARE:-}" ]; then
    QUILLMERE_PROGRAM_DIR=$tmp/generated measure compared-generated "geometry" "$COMPARE/Study"
    QUILLMERE_PROGRAM_DIR=$tmp/shipped measure compared-shipped "geometry" "$COMPARE/Study"
  fi
done

bt=$(median <"$tmp/bare.t") bm=$(median <"$tmp/bare.m") bc=$(median <"$tmp/bare.c")
tt=$(median <"$tmp/text.t") tm=$(median <"$tmp/text.m") tc=$(median <"$tmp/text.c")
printf 'bare Qt window: start to first paint %.1f ms (processor %d ms), resident %.1f MB (medians of %d runs)\n' \
  "$(echo "$bt / 1000000" | bc -l)" "$bc" "$(echo "$bm / 1024" | bc -l)" "$runs"
printf 'bare Qt window painting a line of Chinese text: %.1f ms (processor %d ms), resident %.1f MB\n' \
  "$(echo "$tt / 1000000" | bc -l)" "$tc" "$(echo "$tm / 1024" | bc -l)"
names="generated shipped"
[ -n "${COMPARE:-}" ] && names="$names compared-generated compared-shipped"
for name in $names; do
  t=$(median <"$tmp/$name.t") m=$(median <"$tmp/$name.m") c=$(median <"$tmp/$name.c")
  printf 'Study, %s bank: start to first question %.1f ms, ratio %.2f to the window with text (limit 1.1), %.2f to the empty one; processor %d ms, ratio %.2f to the window with text; resident %.1f MB, %+.1f MB beside the window with text (limit 6), %+.1f MB beside the empty one\n' \
    "$name" "$(echo "$t / 1000000" | bc -l)" "$(echo "$t / $tt" | bc -l)" "$(echo "$t / $bt" | bc -l)" \
    "$c" "$(echo "$c / $tc" | bc -l)" \
    "$(echo "$m / 1024" | bc -l)" "$(echo "($m - $tm) / 1024" | bc -l)" "$(echo "($m - $bm) / 1024" | bc -l)"
done
