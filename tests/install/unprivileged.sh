#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test binary as a user without privileges (root may write into any
# folder, so a read-only program folder only shows as such to other users)
# and fails when a test was skipped instead of run.
set -euo pipefail
run=("$@")
if [ "$(id -u)" -eq 0 ]; then
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp "$@")
fi
cd /tmp
out=$("${run[@]}" 2>&1) || { echo "$out"; exit 1; }
echo "$out"
if grep -q '\[  SKIPPED \]' <<<"$out"; then echo "FAIL: a test was skipped"; exit 1; fi
