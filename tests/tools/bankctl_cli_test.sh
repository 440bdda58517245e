#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bankctl's answers to command lines it cannot follow: one line saying what is
# wrong, then the usage line, status 2, nothing on standard output. A command
# that runs and fails keeps its own status.
# Usage: bankctl_cli_test.sh <bankctl>
set -uo pipefail
bankctl=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export LC_ALL=C.UTF-8
status=0
fail() { echo "FAIL: $*"; status=1; }

# usage <what the first line must say> <arguments...>
usage() {
  local says=$1; shift
  "$bankctl" "$@" >"$T/out" 2>"$T/err"
  local rc=$?
  [ "$rc" = 2 ] || fail "bankctl $*: status $rc, expected 2"
  [ ! -s "$T/out" ] || fail "bankctl $*: wrote to standard output: $(cat "$T/out")"
  [ "$(wc -l <"$T/err")" = 2 ] || fail "bankctl $*: not two lines: $(cat "$T/err")"
  head -n 1 "$T/err" | grep -q -F -- "bankctl: $says" || fail "bankctl $*: first line: $(head -n 1 "$T/err")"
  sed -n 2p "$T/err" | grep -q -E '^用法：bankctl .*build .*export .*check ' || fail "bankctl $*: no usage line: $(cat "$T/err")"
}

usage '没有给出命令'
usage '未知的命令“frobnicate”' frobnicate
usage '未知的命令“reg.ocx”' reg.ocx
usage '未知的选项“--frob”' --frob check x.ocx
usage '未知的选项“-x”' -x check x.ocx
usage 'check 需要 1 个参数 <file.ocx>，给出的是 0 个' check
usage 'check 需要 1 个参数 <file.ocx>，给出的是 2 个' check a.ocx b.ocx
usage 'build 需要 2 个参数 <bank.csv> <folder>，给出的是 1 个' build bank.csv
usage 'export 需要 2 个参数' export a.ocx
usage '选项 --skip-repeats 只用于 build' --skip-repeats check a.ocx
usage '选项 --replace-personal 只用于 build' export a.ocx b.csv --replace-personal

# A command that runs keeps its documented status: a missing file is 1, and
# the message names the whole path.
cd "$T"
"$bankctl" check nowhere/reg.ocx >"$T/out" 2>"$T/err"
rc=$?
[ "$rc" = 1 ] || fail "check of a missing file: status $rc"
grep -q -F "$T/nowhere/reg.ocx" "$T/err" || fail "check of a missing file does not name its path: $(cat "$T/err")"
for opt in --help --version; do
  "$bankctl" $opt >"$T/out" 2>&1 || fail "bankctl $opt: status $?"
done
[ $status = 0 ] && echo ok
exit $status
