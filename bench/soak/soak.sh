#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Soak: Study on a 100,000-question bank at the 1-second step with the silent
# speech engine, for DURATION seconds (default 1800). Prints resident memory
# and open file descriptors at the start and at the end, and the longest gap
# between two ticks taken from the study.display lines "record N of M".
# Not part of CI. Runs on a private X display:
#   scripts/xsession bash bench/soak/soak.sh [build/bin]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/bin}
duration=${DURATION:-1800}
questions=${QUESTIONS:-100000}
tmp=$(mktemp -d); trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run QUILLMERE_SPEECH=silent
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Vozo" "$tmp/app" && mkdir -m 700 "$XDG_RUNTIME_DIR"
# A copy of the programs, so a rebuild during the run does not touch them.
cp "$bin/Study" "$bin/bankctl" "$tmp/app/"

# The ten categories of the shipped source, questions spread over them.
mapfile -t cats < <(tail -n +2 "$root/data/bank.csv" | cut -d, -f1 | sort -u)
{
  echo "category,question,answer"
  awk -v n="$questions" -v cats="$(IFS='|'; echo "${cats[*]}")" 'BEGIN {
    k = split(cats, c, "|")
    for (i = 1; i <= n; i++)
      printf "%s,第%d题：在高速公路上行驶时遇到情况%d应当怎样处置？,答案%d：减速慢行并注意观察\n", c[(i % k) + 1], i, i, i
  }'
} >"$tmp/bank.csv"
"$tmp/app/bankctl" build "$tmp/bank.csv" "$tmp/app" >/dev/null
printf '[General]\nxxx=1\nctimeword=1\nguageword=0\nvoice=1\n' >"$XDG_CONFIG_HOME/Vozo/zorvik24.ini"

export QT_LOGGING_RULES="study.display=true"
export QT_MESSAGE_PATTERN='%{time process} %{category}: %{message}'
"$tmp/app/Study" 2>"$tmp/log" & pid=$!
for _ in $(seq 600); do grep -q 'record 1 of' "$tmp/log" 2>/dev/null && break; sleep 0.1; done
grep -q "record 1 of $questions" "$tmp/log" || { echo "soak: Study did not show the bank" >&2; tail "$tmp/log" >&2; exit 1; }

sample() { # label
  local rss fds
  rss=$(awk '/^VmRSS/ {print $2}' /proc/$pid/status)
  fds=$(ls /proc/$pid/fd | wc -l)
  printf '%s: resident %d KiB, open file descriptors %d\n' "$1" "$rss" "$fds"
}
sleep 5  # past the first layout
start_sample=$(sample start)
echo "$start_sample"
elapsed=0
while [ "$elapsed" -lt "$duration" ]; do
  sleep 60; elapsed=$((elapsed + 60))
  kill -0 "$pid" 2>/dev/null || { echo "soak: Study ended after ${elapsed}s" >&2; exit 1; }
  [ -n "${VERBOSE:-}" ] && sample "after ${elapsed}s"
done
end_sample=$(sample end)
echo "$end_sample"
kill "$pid"; wait "$pid" 2>/dev/null || true

# "12.345 study.display: record N of M : ..." -> longest gap between ticks.
grep -E 'study.display: record [0-9]+ of' "$tmp/log" | awk '
  { t = $1 + 0; if (n++ > 0 && t - prev > gap) { gap = t - prev; at = prev } prev = t }
  END { printf "ticks %d over %.0f s, longest gap %.3f s (at %.1f s)\n", n, prev, gap, at }'
