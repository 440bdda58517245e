#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the probe twice: the second must end at once and make the first
# report that it was asked to activate its window. Then the socket a killed
# copy leaves behind, and starts that race one another.
set -eu
probe=$1
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$tmp/run HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Generous: the machine may be busy.
wait_for() { # word file
  for _ in $(seq 600); do grep -q "^$1\$" "$2" 2>/dev/null && return 0; sleep 0.05; done
  echo "no \"$1\" in $2:"; cat "$2"; return 1
}
sockets() { find "$XDG_RUNTIME_DIR" -type s | wc -l; }

"$probe" >"$tmp/first.out" & first=$!; pids+=("$first")
wait_for first "$tmp/first.out"
[ "$(stat -c %a "$XDG_RUNTIME_DIR"/probe-*)" = 700 ] || { echo "socket open to other users"; exit 1; }
second=$("$probe")
[ "$second" = second ] || { echo "second start did not see the first: $second"; exit 1; }
wait "$first" || { echo "first instance did not end in order"; exit 1; }
grep -q activated "$tmp/first.out" || { echo "first instance was not activated"; cat "$tmp/first.out"; exit 1; }
[ ! -e "$XDG_CONFIG_HOME/Vozo" ] || { echo "settings were touched"; exit 1; }
[ "$(sockets)" = 0 ] || { echo "an orderly end left its socket behind"; exit 1; }

# A socket left by a killed copy must not block the next start, and the
# copy that takes it over must be found by the start after.
"$probe" >"$tmp/third.out" & third=$!; pids+=("$third")
wait_for first "$tmp/third.out"
kill -9 "$third"; wait "$third" 2>/dev/null || true
[ "$(sockets)" = 1 ] || { echo "the killed copy left no socket to test with"; exit 1; }
"$probe" >"$tmp/fourth.out" & fourth=$!; pids+=("$fourth")
wait_for first "$tmp/fourth.out" || { echo "stale socket blocked the start"; exit 1; }
after=$(timeout 30 "$probe") || true
[ "$after" = second ] || { echo "the start after a stale socket was not found: $after"; exit 1; }
wait "$fourth" || { echo "the copy on the taken-over socket did not end in order"; exit 1; }
grep -q activated "$tmp/fourth.out" || { echo "the copy on the taken-over socket was not activated"; exit 1; }

# A start that comes while the first is between its look and its listening
# must wait for it and then find it, not become a second first.
PROBE_PAUSE_MS=1500 "$probe" >"$tmp/slow.out" & slow=$!; pids+=("$slow")
wait_for checked "$tmp/slow.out"
racer=$(timeout 30 "$probe") || true
[ "$racer" = second ] || { echo "a racing start became a second first: $racer"; exit 1; }
wait "$slow" || { echo "the slow first did not end in order"; exit 1; }
grep -q activated "$tmp/slow.out" || { echo "the slow first was not activated"; exit 1; }

# Several starts at once: exactly one becomes the first, the rest ask it.
for n in 1 2 3 4; do
  PROBE_STAY=1 timeout 30 "$probe" >"$tmp/burst$n.out" & pids+=("$!")
done
for n in 1 2 3 4; do
  for _ in $(seq 600); do [ -s "$tmp/burst$n.out" ] && break; sleep 0.05; done
done
firsts=$(cat "$tmp"/burst?.out | grep -c '^first$' || true)
seconds=$(cat "$tmp"/burst?.out | grep -c '^second$' || true)
[ "$firsts" = 1 ] && [ "$seconds" = 3 ] || { echo "burst: $firsts first, $seconds second"; exit 1; }
for _ in $(seq 600); do
  [ "$(cat "$tmp"/burst?.out | grep -c '^activated$')" = 3 ] && break
  sleep 0.05
done
[ "$(cat "$tmp"/burst?.out | grep -c '^activated$')" = 3 ] || { echo "not every start was answered"; exit 1; }
echo ok
