#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Manager choosing a category of a faulty reg.ocx: a clear message, the form
# stays usable and ends in order from its exit button, and the file is byte
# for byte what it was. Manager writes, so a read-only file or folder is a
# fault for it.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
cp "$APP/reg.ocx" "$E2E/good.ocx"
readonly_msg='数据库“reg.ocx”或它所在的文件夹是只读的，无法写入'
declare -A expect=(
  [missing]='找不到数据库文件“reg.ocx”'
  [empty]='文件“reg.ocx”不是可识别的题库数据库'
  [truncated]='数据库“reg.ocx”已损坏'
  [random]='文件“reg.ocx”不是可识别的题库数据库'
  [notable]='数据库“reg.ocx”中没有题目表 Word'
  [password]='数据库“reg.ocx”的密码不正确'
  [locked]='数据库“reg.ocx”正被其他程序独占使用'
  [rofile]=$readonly_msg
  [rofolder]=$readonly_msg
)
tried=0
for c in "${FAULT_CASES[@]}"; do
  echo "case $c"
  cp "$E2E/good.ocx" "$APP/reg.ocx"
  make_fault reg.ocx "$c" bank
  if unprivileged "$c"; then as_nobody || { release; continue; }; fi
  : >"$LOG"
  start Manager
  pid=$LAST_PID
  [ -n "${RUN_AS:-}" ] && runs_as "$pid" 65534
  win=$(window_named "题目管理") || fail "no Manager window ($c)"
  sleep 0.5
  click_in "$win" 350 74  # the category drop-down; Return takes the first category
  xdotool key Return
  new_message 0 "${expect[$c]}"
  close_box Manager
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "Manager ended after the message ($c)"
  # A save with nothing open does nothing; the exit button ends in order.
  click_in "$win" 300 316
  click_in "$win" 300 412
  gone "$pid" 5 || fail "Manager did not end from its exit button ($c)"
  wait "$pid" || fail "Manager ended with status $? ($c)"
  [ "$(messages_so_far)" = 1 ] || fail "more than one message ($c): $(grep ui.message "$LOG")"
  release
  [ -n "${RUN_AS:-}" ] && back_to_root
  unchanged reg.ocx
  [ ! -e "$APP/reg.ocx.bak" ] || fail "a backup copy was written ($c)"
  tried=$((tried + 1))
done
echo "ok ($tried cases)"
