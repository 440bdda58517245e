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
  # Without hyphenation, for matching phrases.
  man --nh -E UTF-8 -l "$gz" >"$T/$page.nh.txt" 2>/dev/null
  grep -q -E "^NAME" "$out" && grep -q -E "^ +$page - " "$out" || fail "$page: no NAME line"
  grep -q -E "^ +$page \[options\]" "$out" || fail "$page: no usage from --help"
  grep -q -- '--version' "$out" || fail "$page: the options from --help are missing"
  grep -q -F "$VERSION" "$out" || fail "$page: no version"
  tr -s ' \n' '  ' <"$out" | grep -q -F "${describes[$page]}" || fail "$page: our description is missing"
  grep -q -F "驾考助手" "$out" || fail "$page: the Chinese name does not render"
  grep -q -F "SEE ALSO" "$out" || fail "$page: no SEE ALSO"
done

# What each page must say beyond --help.
has() { tr -s ' \n' '  ' <"$T/$1.nh.txt" | grep -q -F -- "$2" || fail "$1 does not say '$2'"; }
for s in 'EXIT STATUS' 'category,question,answer,picture' 'inside the CSV file' 'out-pictures/' \
    '--skip-repeats' 'holds open' 'is refused' 'cannot be followed'; do
  has quillmere-bankctl "$s"
done
for s in ENVIRONMENT QUILLMERE_DATA_MODE XDG_DATA_HOME QT_LOGGING_RULES QUILLMERE_PROGRAM_DIR QT_QPA_PLATFORM; do
  has quillmere-manager "$s"
done

# The merge example of quillmere-bankctl(1), followed as printed: a user's
# changed copy of the bank (one question of the installed bank deleted, one
# of their own added) takes the installed bank's questions. Only the
# installed folder is the staging prefix's instead of /usr/lib/quillmere.
BANKCTL=$P/bin/quillmere-bankctl
export HOME=$T/home XDG_DATA_HOME= PATH=$P/bin:$PATH
mine=$HOME/.local/share/Quillmere
mkdir -p "$T/prep" "$T/work"
"$BANKCTL" export "$P/lib/quillmere/reg.ocx" "$T/prep/bank.csv" >/dev/null || fail "export of the installed bank"
total=$("$BANKCTL" check "$P/lib/quillmere/reg.ocx" | grep -o -E '共 [0-9]+ 道题' | grep -o -E '[0-9]+')
{ head -n 1 "$T/prep/bank.csv"; tail -n +3 "$T/prep/bank.csv"; echo '交通安全法律,我自己加的题目,我的答案,'; } >"$T/prep/mine.csv"
"$BANKCTL" build "$T/prep/mine.csv" "$mine" >/dev/null || fail "building the user's bank"
sqlite3 "$mine/word.ocx" "INSERT INTO Word (English, Chinese) VALUES ('生词', '1')"
sed -n '/^EXAMPLES/,/^SEE ALSO/p' "$T/quillmere-bankctl.txt" | grep -E '^ +(quillmere-bankctl|tail) ' |
  sed -e 's/^ *//' -e "s|/usr/lib/quillmere|$P/lib/quillmere|" >"$T/example.sh"
[ "$(grep -c '' "$T/example.sh")" -ge 4 ] || fail "the example's commands were not found: $(cat "$T/example.sh")"
(cd "$T/work" && bash -e "$T/example.sh" >"$T/example.out" 2>&1) ||
  fail "the merge example failed: $(cat "$T/example.out")"
grep -q -F "共 $((total + 1)) 道题" "$T/example.out" || fail "the merged bank does not hold every question: $(cat "$T/example.out")"
[ "$(sqlite3 "$mine/reg.ocx" "SELECT count(*) FROM Word WHERE English = '我自己加的题目'")" = 1 ] || fail "the own question is lost"
[ "$(sqlite3 "$mine/word.ocx" "SELECT count(*) FROM Word")" = 1 ] || fail "the personal list was not kept"
echo ok
