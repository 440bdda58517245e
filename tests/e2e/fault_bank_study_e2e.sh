#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study starting on a faulty reg.ocx, for the whole bank and for one
# category: a clear message, the program goes on (an empty display, the
# cycle still ticking) and ends in order from its menu, and the file is byte
# for byte what it was. A read-only file or folder is no fault for Study,
# which only reads the bank.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
cp "$APP/reg.ocx" "$E2E/good.ocx"
declare -A expect=(
  [missing]='找不到数据库文件“reg.ocx”'
  [empty]='文件“reg.ocx”不是可识别的题库数据库'
  [truncated]='数据库“reg.ocx”已损坏'
  [random]='文件“reg.ocx”不是可识别的题库数据库'
  [notable]='数据库“reg.ocx”中没有题目表 Word'
  [password]='数据库“reg.ocx”的密码不正确'
  [locked]='数据库“reg.ocx”正被其他程序独占使用'
  [rofile]=''
  [rofolder]=''
)
tried=0
for guage in 0 1; do
  for c in "${FAULT_CASES[@]}"; do
    echo "case $c, guageword=$guage"
    cp "$E2E/good.ocx" "$APP/reg.ocx"
    make_fault reg.ocx "$c" bank
    settings ctimeword=1 "guageword=$guage"
    if unprivileged "$c"; then as_nobody || { release; continue; }; fi
    : >"$LOG"
    start Study
    pid=$LAST_PID
    [ -n "${RUN_AS:-}" ] && runs_as "$pid" 65534
    if [ -n "${expect[$c]}" ]; then
      new_message 0 "${expect[$c]}"
      close_box Study
      wait_log 'no record to show'
      sleep 1.5  # a tick on an empty source changes nothing and ends nothing
      kill -0 "$pid" 2>/dev/null || fail "Study ended after the message ($c)"
    else
      wait_log 'record 1 of [0-9]+'
      wait_log 'record 2 of [0-9]+' 5
      [ "$(messages_so_far)" = 0 ] || fail "unexpected message for $c: $(grep ui.message "$LOG")"
    fi
    quit_study "$pid"
    release
    [ -n "${RUN_AS:-}" ] && back_to_root
    unchanged reg.ocx
    tried=$((tried + 1))
  done
done
echo "ok ($tried cases)"
