#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The personal-list editor opened from Study's menu ("新题目管理(&N)") on a
# faulty word.ocx: a clear message, the editor does not open, Study goes on
# showing the bank and ends in order, and the file is byte for byte what it
# was. The editor writes, so a read-only file or folder is a fault for it.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
rm -f "$APP/word.ocx"
"$TEST_BIN/faultfile" make "$E2E/good.ocx" personal ""
make_bank "交通安全法律,第1题,答一" "交通安全法律,第2题,答二"
readonly_msg='数据库“word.ocx”或它所在的文件夹是只读的，无法写入'
declare -A expect=(
  [missing]='找不到数据库文件“word.ocx”'
  [empty]='文件“word.ocx”不是可识别的题库数据库'
  [truncated]='数据库“word.ocx”已损坏'
  [random]='文件“word.ocx”不是可识别的题库数据库'
  [notable]='数据库“word.ocx”中没有题目表 Word'
  [password]='数据库“word.ocx”的密码不正确'
  [locked]='数据库“word.ocx”正被其他程序独占使用'
  [rofile]=$readonly_msg
  [rofolder]=$readonly_msg
)
tried=0
for c in "${FAULT_CASES[@]}"; do
  echo "case $c"
  cp "$E2E/good.ocx" "$APP/word.ocx"
  make_fault word.ocx "$c" personal
  settings ctimeword=1 guageword=1
  if unprivileged "$c"; then as_nobody || { release; continue; }; fi
  : >"$LOG"
  start Study
  pid=$LAST_PID
  [ -n "${RUN_AS:-}" ] && runs_as "$pid" 65534
  wait_log 'record 1 of 2'
  win=$(window_of "$pid") || fail "no Study window ($c)"
  click_in "$win" 10 10 3
  sleep 0.4
  xdotool key n
  new_message 0 "${expect[$c]}"
  grep -q '^新题目管理无法打开，生词本没有改动。$' "$LOG" || fail "the message does not say the list is untouched ($c)"
  close_box Study
  sleep 0.3
  xdotool search --onlyvisible --name '^增加问题$' >/dev/null 2>&1 && fail "the editor opened ($c)"
  n=$(count_log 'record [0-9] of 2')
  wait_count 'record [0-9] of 2' $((n + 1)) 5  # the display goes on
  quit_study "$pid"
  release
  [ -n "${RUN_AS:-}" ] && back_to_root
  unchanged word.ocx
  tried=$((tried + 1))
done
echo "ok ($tried cases)"
