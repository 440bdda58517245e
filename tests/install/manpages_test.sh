#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages of the three launchers, as cmake --install puts them:
# gzip-compressed in share/man/man1, rendered by man -l without a warning,
# with the options from --help, the version, and our own description.
# Usage: manpages_test.sh <build folder> <version>
set -euo pipefail
BUILD=$1 VERSION=$2
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
P=$T/prefix
cmake --install "$BUILD" --prefix "$P" >"$T/install.txt" || { cat "$T/install.txt"; fail "cmake --install"; }
export LC_ALL=C.UTF-8 MANWIDTH=100
declare -A describes=(
  [quillmere-study]="keeps one small window on the desktop"
  [quillmere-manager]="Choose one of the ten categories"
  [quillmere-bankctl]="builds, exports and checks the question files")
for page in quillmere-study quillmere-manager quillmere-bankctl; do
  gz=$P/share/man/man1/$page.1.gz
  [ -f "$gz" ] || fail "$page.1.gz not installed"
  [ "$(file -b --mime-type "$gz")" = application/gzip ] || fail "$page.1.gz is not gzip"
  gzip -t "$gz" || fail "$page.1.gz is damaged"
  man --warnings -E UTF-8 -l "$gz" >"$T/$page.txt" 2>"$T/$page.err" || fail "man -l $page failed: $(cat "$T/$page.err")"
  [ ! -s "$T/$page.err" ] || fail "man -l $page warns: $(cat "$T/$page.err")"
  out=$T/$page.txt
  grep -q -E "^NAME" "$out" && grep -q -E "^ +$page - " "$out" || fail "$page: no NAME line"
  grep -q -E "^ +$page \[options\]" "$out" || fail "$page: no usage from --help"
  grep -q -- '--version' "$out" || fail "$page: the options from --help are missing"
  grep -q -F "$VERSION" "$out" || fail "$page: no version"
  tr -s ' \n' '  ' <"$out" | grep -q -F "${describes[$page]}" || fail "$page: our description is missing"
  grep -q -F "驾考助手" "$out" || fail "$page: the Chinese name does not render"
  grep -q -F "SEE ALSO" "$out" || fail "$page: no SEE ALSO"
done
echo ok
