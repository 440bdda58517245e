#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --version and --help of Study, Manager and bankctl, and an unknown option
# of Study and Manager, without a display: they answer before any window,
# single-instance test or settings access.
# Usage: versions_test.sh <version> <Study> <Manager> <bankctl>
set -euo pipefail
VERSION=$1
shift
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
export HOME=$T/home XDG_CONFIG_HOME=$T/config XDG_DATA_HOME=$T/data XDG_RUNTIME_DIR=$T/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
status=0
for program in "$@"; do
  name=$(basename "$program")
  for opt in --version -v; do
    out=$("$program" $opt 2>&1) || { echo "$name $opt: exit $?: $out"; status=1; continue; }
    [ "$out" = "$name $VERSION" ] || { echo "$name $opt printed '$out', expected '$name $VERSION'"; status=1; }
  done
  # Qt's own single-dash options (-reverse holds a 'v') must not read as -v.
  for opt in --help -h; do
    out=$("$program" $opt 2>&1) || { echo "$name $opt: exit $?"; status=1; continue; }
    grep -q -- '--version' <<<"$out" && grep -q -E "^Usage: .*$name" <<<"$out" ||
      { echo "$name $opt printed: $out"; status=1; }
  done
done
for name in Study Manager; do
  prog=$(printf '%s\n' "$@" | grep "/$name\$")
  # Without a display the program must fail to start rather than print a version.
  out=$("$prog" -reverse 2>&1) && { echo "$name -reverse started without a display"; status=1; }
  grep -q "$VERSION" <<<"$out" && { echo "$name -reverse printed the version"; status=1; }
  # An unknown option is refused in one line naming it, with the hint to
  # --help and status 2, still without a display; Qt's own options pass.
  for opt in --no-such-option -x --colour=red; do
    "$prog" $opt >"$T/out" 2>"$T/err" && code=0 || code=$?
    [ "$code" -eq 2 ] || { echo "$name $opt: exit $code, expected 2: $(cat "$T/out" "$T/err")"; status=1; }
    [ ! -s "$T/out" ] || { echo "$name $opt wrote to stdout: $(cat "$T/out")"; status=1; }
    [ "$(wc -l <"$T/err")" -eq 1 ] && grep -q -F -- "${opt%%=*}" "$T/err" && grep -q -F -- "$name --help" "$T/err" ||
      { echo "$name $opt: stderr is not one line naming the option and --help: $(cat "$T/err")"; status=1; }
  done
  out=$("$prog" -style fusion -platform offscreen --version 2>&1) && [ "$out" = "$name $VERSION" ] ||
    { echo "$name: Qt's options were not let through: $out"; status=1; }
done
if [ -e "$XDG_CONFIG_HOME" ] || [ -n "$(ls -A "$XDG_RUNTIME_DIR")" ] || [ -e "$XDG_DATA_HOME" ]; then
  echo "the options touched settings, the data folder or the single-instance socket:"
  find "$T" -mindepth 1
  status=1
fi
exit $status
