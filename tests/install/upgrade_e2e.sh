#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Upgrades reach installed users: two versions of the real package (the
# second with one more question in its bank and another personal list) are
# installed with dpkg into a private root, one after the other. Two users
# start Study on the first; one of them changes a question in their copy of
# the bank. After the upgrade the unchanged copy is the new bank, the changed
# one is kept with a log line saying how to take the new questions, and
# neither personal list is replaced.
# Usage: upgrade_e2e.sh <build folder> <version> <bank.csv>
set -euo pipefail
BUILD=$1 VERSION=$2 BANK_CSV=$3
T=$(mktemp -d)
PIDS=()
trap 'for p in "${PIDS[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done; rm -rf "$T"' EXIT
fail() { echo "FAIL: $*"; for f in "$T"/*.log; do echo "--- $f"; tail -n 20 "$f"; done; exit 1; }
wait_in() {  # file pattern seconds
  local i
  for ((i = 0; i < $3 * 10; i++)); do grep -q -E -- "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  fail "no line matching '$2' in $1"
}

# Version 1: the package as built. Version 2: the same with a changed bank.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$T/pkg" >"$T/cpack.txt" 2>&1 ||
  { cat "$T/cpack.txt"; fail "cpack failed"; }
v1=$(ls "$T"/pkg/quillmere_*.deb)
dpkg-deb -R "$v1" "$T/tree"
NEW_QUESTION="升级后新加的题：驾驶人在高速公路上能否倒车？"
{ cat "$BANK_CSV"; echo "交通安全法律,$NEW_QUESTION,不能,"; } >"$T/bank2.csv"
# The pictures are named relative to the CSV.
cp -r "$(dirname "$BANK_CSV")/bank-pictures" "$T/"
mkdir "$T/bank2"
"$T/tree/usr/lib/quillmere/bankctl" build "$T/bank2.csv" "$T/bank2" >/dev/null
cp "$T/bank2/reg.ocx" "$T/tree/usr/lib/quillmere/reg.ocx"
sqlite3 "$T/tree/usr/lib/quillmere/word.ocx" "INSERT INTO Word (English, Chinese) VALUES ('版本2的个人题', '答')"
sed -i -E "s/^Version: .*/Version: $VERSION-99/" "$T/tree/DEBIAN/control"
(cd "$T/tree" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z | xargs -0 md5sum) >"$T/tree/DEBIAN/md5sums"
dpkg-deb --root-owner-group -Zxz --build "$T/tree" "$T/v2.deb" >/dev/null

# A private dpkg root; the package has no maintainer scripts.
R=$T/root
mkdir -p "$R/var/lib/dpkg/info" "$R/var/lib/dpkg/updates"
touch "$R/var/lib/dpkg/status"
install_pkg() {
  dpkg --root="$R" --force-depends --force-not-root --log=/dev/null -i "$1" >"$T/dpkg.txt" 2>&1 ||
    { cat "$T/dpkg.txt"; fail "dpkg -i $1"; }
}
install_pkg "$v1"
[ "$(dpkg-query --root="$R" -W -f='${Version}' quillmere)" = "$(dpkg-deb -f "$v1" Version)" ] || fail "version 1 not installed"
PROG=$R/usr/lib/quillmere
cp "$PROG/reg.ocx" "$T/bank1.ocx"
cp "$PROG/word.ocx" "$T/word1.ocx"

export QT_QPA_PLATFORM=offscreen QUILLMERE_SPEECH=silent QUILLMERE_DATA_MODE=installed
export QT_LOGGING_RULES="study.display=true;questionbank.db=true"
study_as() {  # user log; starts the installed Study as that user and waits for the first record
  local home=$T/$1
  mkdir -p "$home/config" "$home/data"
  [ -d "$home/run" ] || mkdir -m 700 "$home/run"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run \
    "$R/usr/bin/quillmere-study" >>"$T/$2.log" 2>&1 &
  local pid=$!
  PIDS+=("$pid")
  wait_in "$T/$2.log" 'study\.display: record 1 of [0-9]+' 30
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
A=$T/alice/data/Quillmere
B=$T/bob/data/Quillmere
study_as alice alice1
study_as bob bob1
cmp -s "$A/reg.ocx" "$T/bank1.ocx" || fail "Study changed or did not copy alice's bank"
# Bob changes an answer in his copy, as Manager would.
sqlite3 "$B/reg.ocx" "UPDATE Word SET Chinese = '鲍勃改的答案' WHERE \"index\" = (SELECT min(\"index\") FROM Word)"
cp "$B/reg.ocx" "$T/bob-bank.ocx"

install_pkg "$T/v2.deb"
[ "$(dpkg-query --root="$R" -W -f='${Version}' quillmere)" = "$VERSION-99" ] || fail "version 2 not installed"
cmp -s "$PROG/reg.ocx" "$T/bank1.ocx" && fail "version 2 has the same bank"

study_as alice alice2
cmp -s "$A/reg.ocx" "$PROG/reg.ocx" || fail "alice's unchanged copy did not become the new bank"
grep -q -F "replaced $A/reg.ocx" "$T/alice2.log" || fail "no log line for alice's replaced bank"
[ "$(sqlite3 "$A/reg.ocx" "SELECT count(*) FROM Word WHERE English = '$NEW_QUESTION'")" = 1 ] ||
  fail "alice lacks the new question"
cmp -s "$A/word.ocx" "$T/word1.ocx" || fail "alice's personal list was replaced"
n1=$(grep -o -E 'record 1 of [0-9]+' "$T/alice1.log" | head -n 1)
n2=$(grep -o -E 'record 1 of [0-9]+' "$T/alice2.log" | head -n 1)
[ "${n2##* }" -eq $((${n1##* } + 1)) ] || fail "Study showed $n2 after the upgrade, $n1 before"

study_as bob bob2
cmp -s "$B/reg.ocx" "$T/bob-bank.ocx" || fail "bob's changed copy was not kept as it was"
grep -q -F "kept $B/reg.ocx (changed by the user)" "$T/bob2.log" || fail "no log line for bob's kept bank"
grep -q -F "quillmere-bankctl" "$T/bob2.log" || fail "the log does not say how to take the new questions"
cmp -s "$B/word.ocx" "$T/word1.ocx" || fail "bob's personal list was replaced"
echo ok
