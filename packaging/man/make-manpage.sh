#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes <out>.1.gz, the manual page of a launcher, with help2man from the
# program's --help and --version, and the include file of our own.
# help2man would name the page after the first word of --version ("Study");
# the page is named after the launcher, so the version is passed on as such.
# Usage: make-manpage.sh <program> <launcher name> <summary> <include> <out folder>
set -eu
program=$1 page=$2 summary=$3 include=$4 out=$5
unset DISPLAY WAYLAND_DISPLAY
export LC_ALL=C.UTF-8
version=$("$program" --version)
case $version in
  *" "*) version=${version##* } ;;
  *) echo "make-manpage: $program --version printed '$version'" >&2; exit 1 ;;
esac
mkdir -p "$out/bin"
ln -sf "$program" "$out/bin/$page"
help2man --no-info --no-discard-stderr --version-string="$version" --name="$summary" \
  --section=1 --manual=Quillmere --source="Quillmere $version" --locale=C.UTF-8 --include="$include" \
  --output="$out/$page.1" "$out/bin/$page"
gzip -9nf "$out/$page.1"
