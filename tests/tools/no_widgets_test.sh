#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bankctl builds and checks question files on machines without a desktop:
# none of the given programs, nor any library they load, may need Qt Widgets.
set -euo pipefail
for program in "$@"; do
  libs=$(ldd "$program")
  # A listing without Qt at all would prove nothing.
  if ! grep -q 'libQt6Core' <<<"$libs"; then
    echo "ldd lists no Qt library for $program:"
    echo "$libs"
    exit 1
  fi
  if grep 'libQt6Widgets' <<<"$libs"; then
    echo "$program needs Qt Widgets"
    exit 1
  fi
  echo "$program loads no Qt Widgets"
done
