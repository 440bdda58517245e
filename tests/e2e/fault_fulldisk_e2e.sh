#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A save onto a full disk, in Study's personal-list editor and in Manager:
# the message says the save failed, the database and the settings file are
# byte for byte what they were, the typed text stays in the boxes and the
# database stays open (once space is free again, the same save succeeds
# without reopening anything).
# The disk is a small tmpfs (mounting needs root, as in CI); without the
# permission the test says SKIP.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
DISK=$E2E/disk
mkdir -p "$DISK"
if ! mount -t tmpfs -o size=4m quillmere-full "$DISK" 2>/dev/null; then
  echo "SKIP: mounting a small tmpfs is not permitted here"
  exit 0
fi
trap 'umount "$DISK" 2>/dev/null || true; e2e_cleanup' EXIT
full_msg='磁盘已满，无法写入数据库“FILE”，这次保存没有完成。'
export QUILLMERE_PROGRAM_DIR=$DISK/program XDG_CONFIG_HOME=$DISK/config
mkdir -p "$QUILLMERE_PROGRAM_DIR"
make_bank "交通安全法律,第1题,答一" "交通安全法律,第2题,答二"
cp "$APP/reg.ocx" "$APP/word.ocx" "$QUILLMERE_PROGRAM_DIR/"
settings ctimeword=1 guageword=1

fill_disk() {
  dd if=/dev/zero of="$DISK/fill" bs=4k 2>/dev/null || true
  dd if=/dev/zero of="$DISK/fill2" bs=512 2>/dev/null || true
  [ "$(df --output=avail -B1 "$DISK" | tail -n 1)" -lt 4096 ] || fail "the disk did not fill"
}
free_disk() { rm -f "$DISK/fill" "$DISK/fill2"; }
snapshot() { cp "$QUILLMERE_PROGRAM_DIR/$1" "$E2E/db.before"; cp "$XDG_CONFIG_HOME/Vozo/zorvik24.ini" "$E2E/ini.before"; }
intact() {  # file
  cmp -s "$QUILLMERE_PROGRAM_DIR/$1" "$E2E/db.before" || fail "$1 changed by the failed save"
  cmp -s "$XDG_CONFIG_HOME/Vozo/zorvik24.ini" "$E2E/ini.before" || fail "the settings file changed"
}

# --- Study's personal-list editor ---
start Study
pid=$LAST_PID
wait_log 'record 1 of 2'
win=$(window_of "$pid") || fail "no Study window"
click_in "$win" 10 10 3
sleep 0.4
xdotool key n
ed=$(window_named "增加问题") || fail "the editor did not open"
sleep 0.5
click_in "$ed" 60 57
type_text "Q-full disk"
click_in "$ed" 60 97
type_text "A-full no space"
snapshot word.ocx
fill_disk
n=$(messages_so_far)
click_in "$ed" 60 124  # save
new_message "$n" "${full_msg//FILE/word.ocx}"
grep -q '^题目没有保存。$' "$LOG" || fail "the message does not say the question was not saved"
close_box Study
intact word.ocx
kill -0 "$pid" 2>/dev/null || fail "Study ended"
free_disk
n=$(messages_so_far)
click_in "$ed" 60 124  # the same save again: the text is still in the boxes
sleep 0.5
[ "$(messages_so_far)" = "$n" ] || fail "the second save failed: $(grep ui.message "$LOG" | tail -n 1)"
click_in "$ed" 322 15
sleep 0.5
rows=$(sqlite3 "$QUILLMERE_PROGRAM_DIR/word.ocx" "SELECT English || '|' || Chinese FROM Word")
[ "$rows" = "Q-full disk|A-full no space" ] || fail "word.ocx holds: $rows"
[ "$(sqlite3 "$QUILLMERE_PROGRAM_DIR/word.ocx" 'PRAGMA integrity_check')" = ok ] || fail "word.ocx damaged"
quit_study "$pid"

# --- Manager: its backup copy comes first and does not fit either ---
: >"$LOG"
start Manager
pid=$LAST_PID
win=$(window_named "题目管理") || fail "no Manager window"
sleep 0.5
click_in "$win" 350 74
xdotool key Return
wait_log 'record set .* -> 2 records'
click_in "$win" 300 342  # add
click_in "$win" 360 149
type_text "Q-full disk"
click_in "$win" 360 221
type_text "A-full no space"
snapshot reg.ocx
fill_disk
n=$(messages_so_far)
click_in "$win" 300 316  # save
new_message "$n" "(无法备份题库到“.*reg.ocx.bak”|${full_msg//FILE/reg.ocx})"
close_box Manager
intact reg.ocx
[ ! -e "$QUILLMERE_PROGRAM_DIR/reg.ocx.bak.part" ] || fail "a partial backup copy was left"
free_disk
n=$(messages_so_far)
click_in "$win" 300 316
sleep 0.5
[ "$(messages_so_far)" = "$n" ] || fail "the second save failed: $(grep ui.message "$LOG" | tail -n 1)"
click_in "$win" 300 412
gone "$pid" 5 || fail "Manager did not end"
wait "$pid" || fail "Manager ended with status $?"
rows=$(sqlite3 "$QUILLMERE_PROGRAM_DIR/reg.ocx" "SELECT English || '|' || Chinese FROM Word WHERE English LIKE 'Q-full%'")
[ "$rows" = "Q-full disk|A-full no space" ] || fail "reg.ocx holds: $rows"
[ -e "$QUILLMERE_PROGRAM_DIR/reg.ocx.bak" ] || fail "no backup copy after the successful save"
echo ok
