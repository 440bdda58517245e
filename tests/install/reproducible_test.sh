#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package as cpack builds it: two packages of one commit, made into two
# folders, are byte for byte the same; Installed-Size counts the launchers
# as the links they are; the programs carry Debian's hardening (fortified
# calls, stack protector, full RELRO with immediate binding).
# Usage: reproducible_test.sh <build folder>
set -euo pipefail
BUILD=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
for n in 1 2; do
  cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$T/$n" >"$T/cpack$n.txt" 2>&1 ||
    { cat "$T/cpack$n.txt"; fail "cpack failed"; }
  # A second apart at least, so that a time stamp taken from the clock shows.
  [ "$n" = 2 ] || { t=$(date +%s); while [ "$(date +%s)" = "$t" ]; do sleep 0.1; done; }
done
deb1=$(ls "$T"/1/quillmere_*.deb)
deb2=$(ls "$T"/2/quillmere_*.deb)
cmp "$deb1" "$deb2" || {
  diff <(dpkg-deb -c "$deb1") <(dpkg-deb -c "$deb2") | head -n 20
  fail "two packages of one commit differ"
}
# The time stamps are the last commit's.
epoch=$(git -C "$(dirname "$0")" log -1 --format=%ct)
stamp=$(dpkg-deb --fsys-tarfile "$deb1" | tar -tv --full-time -f - ./usr/lib/quillmere/Study |
  awk '{print $4 " " $5}')
[ "$(date -u -d "$stamp UTC" +%s)" -eq "$epoch" ] || fail "Study is dated $stamp, not as the last commit"

# Installed-Size: each regular file rounded up to a KiB, anything else one.
dpkg-deb -x "$deb1" "$T/root"
expected=$(find "$T/root" -mindepth 1 \( -type f -printf 'f %s\n' \) -o \( ! -type f -printf 'o\n' \) |
  awk '{ kib += ($1 == "f" ? int(($2 + 1023) / 1024) : 1) } END { print kib }')
size=$(dpkg-deb -f "$deb1" Installed-Size)
[ "$size" -eq "$expected" ] || fail "Installed-Size is $size KiB, the files take $expected"
for l in quillmere-study quillmere-manager quillmere-bankctl; do
  [ -L "$T/root/usr/bin/$l" ] || fail "/usr/bin/$l is not a link"
done

# Hardening (lintian_test.sh runs lintian's own checks too). Output goes
# through variables: grep -q would close a pipe that pipefail then reports.
for p in Study Manager bankctl; do
  f=$T/root/usr/lib/quillmere/$p
  dynamic=$(readelf -W -d "$f")
  segments=$(readelf -W -l "$f")
  symbols=$(readelf -W --dyn-syms "$f")
  grep -q -E 'FLAGS.*(BIND_NOW|NOW)' <<<"$dynamic" || fail "$p is not linked with -z now"
  grep -q GNU_RELRO <<<"$segments" || fail "$p has no RELRO segment"
  grep -q __stack_chk_fail <<<"$symbols" || fail "$p is not built with the stack protector"
done
# Fortified calls show only where the code makes a call glibc can check;
# that every object was compiled for them, the build's commands show.
commands=$(grep -c '"command"' "$BUILD/compile_commands.json")
fortified=$(grep -c -- '-D_FORTIFY_SOURCE=[23]' "$BUILD/compile_commands.json" || true)
[ "$commands" -gt 0 ] && [ "$fortified" -eq "$commands" ] ||
  fail "$fortified of $commands compile commands have _FORTIFY_SOURCE"
echo ok
