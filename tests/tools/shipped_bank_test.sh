#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the shipped bank.csv and checks that every category holds questions.
set -eu
bankctl=$1 csv=$2
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
"$bankctl" build "$csv" "$tmp" >/dev/null
"$bankctl" check "$tmp/reg.ocx" | tee "$tmp/check.txt"
if grep -E '：0($|（)' "$tmp/check.txt"; then echo "a category is empty"; exit 1; fi
