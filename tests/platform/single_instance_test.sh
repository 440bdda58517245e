#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the probe twice: the second must end at once and make the first
# report that it was asked to activate its window.
set -eu
probe=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=$tmp/run HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$probe" >"$tmp/first.out" &
first=$!
for _ in $(seq 100); do grep -q first "$tmp/first.out" 2>/dev/null && break; sleep 0.05; done
second=$("$probe")
[ "$second" = second ] || { echo "second start did not see the first: $second"; exit 1; }
wait "$first" || { echo "first instance did not end in order"; exit 1; }
grep -q activated "$tmp/first.out" || { echo "first instance was not activated"; cat "$tmp/first.out"; exit 1; }
[ ! -e "$XDG_CONFIG_HOME/Vozo" ] || { echo "settings were touched"; exit 1; }
# A socket left by a killed copy must not block the next start.
"$probe" >"$tmp/third.out" & third=$!
for _ in $(seq 100); do grep -q first "$tmp/third.out" 2>/dev/null && break; sleep 0.05; done
kill -9 "$third"; wait "$third" 2>/dev/null || true
"$probe" >"$tmp/fourth.out" & fourth=$!
for _ in $(seq 100); do grep -q first "$tmp/fourth.out" 2>/dev/null && break; sleep 0.05; done
grep -q first "$tmp/fourth.out" || { echo "stale socket blocked the start"; exit 1; }
kill "$fourth"; wait "$fourth" 2>/dev/null || true
echo ok
