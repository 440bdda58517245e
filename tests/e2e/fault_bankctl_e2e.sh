#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bankctl export and check on faulty reg.ocx and word.ocx: status 1 with a
# clear message on stderr and nothing on stdout, and the file byte for byte
# what it was. Both commands only read, so a read-only file or folder works.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
# A bank without pictures: export to standard output has nowhere to put them.
printf 'category,question,answer\n交通安全法律,问一,答一\n交通信号,问二,答二\n' >"$E2E/plain.csv"
"$APP/bankctl" build "$E2E/plain.csv" "$E2E/plain" >/dev/null
cp "$E2E/plain/reg.ocx" "$E2E/good-reg.ocx"
"$TEST_BIN/faultfile" make "$E2E/good-word.ocx" personal ""
declare -A expect=(
  [missing]='找不到数据库文件“FILE”'
  [empty]='文件“FILE”不是可识别的题库数据库'
  [truncated]='数据库“FILE”已损坏'
  [random]='文件“FILE”不是可识别的题库数据库'
  [notable]='数据库“FILE”中没有题目表 Word'
  [password]='数据库“FILE”的密码不正确'
  [locked]='数据库“FILE”正被其他程序独占使用'
  [rofile]=''
  [rofolder]=''
)
tried=0
for file in reg.ocx word.ocx; do
  kind=bank; [ "$file" = word.ocx ] && kind=personal
  for c in "${FAULT_CASES[@]}"; do
    for cmd in check export; do
      echo "case $file $c $cmd"
      cp "$E2E/good-${file%.ocx}.ocx" "$APP/$file"
      make_fault "$file" "$c" "$kind"
      if unprivileged "$c"; then as_nobody || { release; continue; }; fi
      args=("$APP/$file"); [ "$cmd" = export ] && args+=(-)
      set +e
      ${RUN_AS:-} "$APP/bankctl" "$cmd" "${args[@]}" >"$E2E/out" 2>"$E2E/err"
      rc=$?
      set -e
      if [ -n "${expect[$c]}" ]; then
        [ "$rc" = 1 ] || fail "bankctl $cmd $c: status $rc"
        grep -q -- "^bankctl: ${expect[$c]//FILE/$file}" "$E2E/err" || fail "bankctl $cmd $c: $(cat "$E2E/err")"
        [ ! -s "$E2E/out" ] || fail "bankctl $cmd $c wrote output: $(head -c 200 "$E2E/out")"
      else
        [ "$rc" = 0 ] || fail "bankctl $cmd $c: status $rc: $(cat "$E2E/err")"
        if [ "$cmd" = check ]; then grep -q '完整性检查通过' "$E2E/out" || fail "check $c: $(cat "$E2E/out")"
        else [ "$(wc -l <"$E2E/out")" -gt 1 ] || fail "export $c wrote no rows"; fi
      fi
      release
      [ -n "${RUN_AS:-}" ] && back_to_root
      unchanged "$file"
      tried=$((tried + 1))
    done
  done
done
echo "ok ($tried cases)"
