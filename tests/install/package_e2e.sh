#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built with cpack, unpacked into a private root, its
# launchers start the installed programs, which (as in a system install)
# keep their databases in the user's data folder and leave the program
# folder alone. Runs on the X display of scripts/xsession.
# Usage: package_e2e.sh <build folder> <version>
BUILD=$1 VERSION=$2
source "$E2E_LIB"
# The unpacked root lies outside /usr and root may write into it: force what
# a user of a system install gets (the run from /usr/lib/quillmere below
# shows that no force is needed there).
export QUILLMERE_DATA_MODE=installed

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$E2E/pkg" >"$E2E/cpack.txt" 2>&1 ||
  { cat "$E2E/cpack.txt"; fail "cpack failed"; }
# The package's version is the release's with a Debian revision.
deb=$(ls "$E2E"/pkg/quillmere_"${VERSION}"-*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n 1)
[ -f "$deb" ] || fail "no package quillmere_${VERSION}-* in $(ls "$E2E/pkg")"

depends=$(dpkg-deb -f "$deb" Depends)
# qt6-image-formats-plugins reads WebP pictures; libqt6charts6 draws the
# progress window's charts.
for p in libqt6widgets6 libqt6charts6 libssl3 libsqlite3-0 libespeak-ng1 fonts-wqy-microhei fonts-liberation2 \
  qt6-translations-l10n qt6-image-formats-plugins; do
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

# Root, who may write into /usr/lib/quillmere, still keeps its data in its
# own data folder: the package's folder is never written. In a private mount
# namespace the package's folder is laid over the real /usr/lib (changes go
# to a scratch layer), so the programs run from /usr/lib/quillmere itself,
# as after apt-get install, without touching the machine's /usr.
if [ "$(id -u)" -eq 0 ]; then
  mkdir -p "$E2E/upper" "$E2E/overlaywork" "$E2E/rootdata"
  ROOT_DATA=$E2E/rootdata/Quillmere
  ROOT_LOG=$E2E/root-log.txt
  env -u QUILLMERE_DATA_MODE XDG_DATA_HOME="$E2E/rootdata" QT_QPA_PLATFORM=offscreen \
    unshare --mount --propagation private bash -c '
      set -e
      mount -t overlay overlay -o "lowerdir=$1/usr/lib:/usr/lib,upperdir=$2,workdir=$3" /usr/lib
      [ -w /usr/lib/quillmere ] || { echo "root cannot write /usr/lib/quillmere"; exit 1; }
      /usr/lib/quillmere/Manager 2>"$4" &
      manager=$!
      for ((i = 0; i < 300; i++)); do
        grep -q "data folder (" "$4" && break
        kill -0 $manager 2>/dev/null || break
        sleep 0.1
      done
      kill $manager 2>/dev/null; wait $manager || true
      find "$2" -mindepth 1 -printf "written: /usr/lib/%P\n"' \
    _ "$ROOT" "$E2E/upper" "$E2E/overlaywork" "$ROOT_LOG" >"$E2E/root.txt" 2>&1 ||
    fail "the root run failed: $(cat "$E2E/root.txt" "$ROOT_LOG")"
  cat "$ROOT_LOG" >>"$LOG"
  grep -q -F "data folder (installed): $ROOT_DATA" "$ROOT_LOG" ||
    fail "root's Manager did not use its own data folder: $(grep 'data folder' "$ROOT_LOG")"
  cmp -s "$PROG/reg.ocx" "$ROOT_DATA/reg.ocx" || fail "root's bank is not a copy of the installed one"
  [ ! -s "$E2E/root.txt" ] || fail "root wrote into the package's folder: $(cat "$E2E/root.txt")"
fi
echo ok
