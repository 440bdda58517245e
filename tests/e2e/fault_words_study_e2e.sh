#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study set to show the personal list (guageword=10) on a faulty word.ocx: a
# clear message, an empty display that keeps running, an orderly end from the
# menu, and the file byte for byte what it was. Study only reads the list
# here, so a read-only file or folder shows it as usual.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
rm -f "$APP/word.ocx"
"$TEST_BIN/faultfile" make "$E2E/good.ocx" personal ""
declare -A expect=(
  [missing]='找不到数据库文件“word.ocx”'
  [empty]='文件“word.ocx”不是可识别的题库数据库'
  [truncated]='数据库“word.ocx”已损坏'
  [random]='文件“word.ocx”不是可识别的题库数据库'
  [notable]='数据库“word.ocx”中没有题目表 Word'
  [password]='数据库“word.ocx”的密码不正确'
  [locked]='数据库“word.ocx”正被其他程序独占使用'
  [rofile]=''
  [rofolder]=''
)
tried=0
for c in "${FAULT_CASES[@]}"; do
  echo "case $c"
  cp "$E2E/good.ocx" "$APP/word.ocx"
  make_fault word.ocx "$c" personal
  settings ctimeword=1 guageword=10
  if unprivileged "$c"; then as_nobody || { release; continue; }; fi
  : >"$LOG"
  start Study
  pid=$LAST_PID
  [ -n "${RUN_AS:-}" ] && runs_as "$pid" 65534
  if [ -n "${expect[$c]}" ]; then
    new_message 0 "${expect[$c]}"
    close_box Study
    wait_log 'no record to show'
    sleep 1.5
    kill -0 "$pid" 2>/dev/null || fail "Study ended after the message ($c)"
    [ "$(messages_so_far)" = 1 ] || fail "more than one message ($c): $(grep ui.message "$LOG")"
  else
    wait_log 'record 1 of 1 : 外来题'
    [ "$(messages_so_far)" = 0 ] || fail "unexpected message for $c: $(grep ui.message "$LOG")"
  fi
  quit_study "$pid"
  release
  [ -n "${RUN_AS:-}" ] && back_to_root
  unchanged word.ocx
  tried=$((tried + 1))
done
echo "ok ($tried cases)"
