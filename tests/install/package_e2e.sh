#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with cpack, unpacked into a private root, its
# launchers start the installed programs, which (as in a system install)
# keep their databases in the user's data folder and leave the program
# folder alone. Runs on the X display of scripts/xsession.
# Usage: package_e2e.sh <build folder> <version>
BUILD=$1 VERSION=$2
source "$E2E_LIB"
# Root may write anywhere; the unpacked root would look like a portable
# folder. Force what a user of a system install gets.
export QUILLMERE_DATA_MODE=installed

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$E2E/pkg" >"$E2E/cpack.txt" 2>&1 ||
  { cat "$E2E/cpack.txt"; fail "cpack failed"; }
# The package's version is the release's with a Debian revision.
deb=$(ls "$E2E"/pkg/quillmere_"${VERSION}"-*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n 1)
[ -f "$deb" ] || fail "no package quillmere_${VERSION}-* in $(ls "$E2E/pkg")"

depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6network6 libsqlite3-0 libespeak-ng1 fonts-wqy-microhei fonts-liberation2 qt6-translations-l10n; do
  grep -q -E "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = quillmere ] || fail "package name"
[[ "$(dpkg-deb -f "$deb" Version)" =~ ^${VERSION//./\\.}-[0-9]+$ ]] || fail "package version"

ROOT=$E2E/root
dpkg-deb -x "$deb" "$ROOT"
PROG=$ROOT/usr/lib/quillmere
for f in Study Manager bankctl reg.ocx word.ocx help.html; do
  [ -f "$PROG/$f" ] || fail "the package lacks $f in /usr/lib/quillmere"
done
for a in org.quillmere.Study org.quillmere.Manager; do
  [ -f "$ROOT/usr/share/applications/$a.desktop" ] || fail "no menu entry $a"
  [ -f "$ROOT/usr/share/metainfo/$a.metainfo.xml" ] || fail "no metainfo $a"
  [ -f "$ROOT/usr/share/icons/hicolor/scalable/apps/$a.svg" ] || fail "no icon $a"
done
"$ROOT/usr/bin/quillmere-bankctl" check "$PROG/reg.ocx" >/dev/null || fail "the shipped bank does not pass bankctl check"
[ "$("$ROOT/usr/bin/quillmere-study" --version)" = "Study $VERSION" ] || fail "launcher --version"
chmod -R a-w "$PROG"
before=$(cd "$PROG" && ls -la --time-style=full-iso && md5sum -- *)

# Study from its launcher: the first record from the user's copy of the bank.
USER_DATA=$XDG_DATA_HOME/Quillmere
"$ROOT/usr/bin/quillmere-study" >>"$LOG" 2>&1 &
PIDS+=($!)
study=$!
wait_log 'study\.display: record 1 of [0-9]+' 20
grep -q -F "data folder (installed): $USER_DATA" "$LOG" || fail "Study did not choose the user's data folder"
grep -q -F "opened $USER_DATA/reg.ocx" "$LOG" || fail "Study did not open the user's copy of the bank"
cmp -s "$PROG/reg.ocx" "$USER_DATA/reg.ocx" || fail "the user's bank is not a copy of the installed one"
cmp -s "$PROG/word.ocx" "$USER_DATA/word.ocx" || fail "the user's personal list is not a copy of the installed one"
window_of "$study" >/dev/null || fail "no Study window"
shot package_study

# Manager from its launcher opens the same copy.
"$ROOT/usr/bin/quillmere-manager" >>"$LOG" 2>&1 &
PIDS+=($!)
manager=$!
wait_log "opened $USER_DATA/reg.ocx.*exclusive|opened $USER_DATA/reg.ocx" 20
window_of "$manager" >/dev/null || fail "no Manager window"
shot package_manager
kill "$manager" "$study"
gone "$manager" 5 && gone "$study" 5 || fail "the programs did not end"

after=$(cd "$PROG" && ls -la --time-style=full-iso && md5sum -- *)
chmod -R u+w "$PROG"
[ "$before" = "$after" ] || fail "the program folder changed: $(diff <(echo "$before") <(echo "$after"))"
echo ok
