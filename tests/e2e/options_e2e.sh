#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The options dialog opened from Study's menu: a longer step and another
# category are saved on close and the display restarts on that category.
source "$E2E_LIB"
make_bank "交通安全法律,第1题,答一" "文明驾驶,礼让1,是" "文明驾驶,礼让2,是"
settings ctimeword=7 guageword=1
start_study "category='交通安全法律' -> 1 records"
study_menu o
dlg=$(window_named "选项...") || fail "the options dialog did not open"
sleep 0.8
shot options_dialog
tw() { echo $(( $1 / 15 )); }     # twips to pixels at 96 dpi
# The time spinner's upper arrow (VScroll2 at 4080,720 in the group at 0,3360).
for _ in 1 2; do click_in "$dlg" $(( $(tw 4080) + 4 )) $(( $(tw $((3360 + 720))) + 3 )); done
# 文明驾驶: the third name, left column, second row (100, 600).
click_in "$dlg" $(( $(tw 100) + 8 )) $(( $(tw 600) + 6 ))
shot options_changed
xdotool key alt+F4   # the dialog is the active window; openbox closes it
sleep 0.8
xdotool search --onlyvisible --name '^选项\.\.\.$' >/dev/null 2>&1 && fail "the dialog is still open"
ini=$XDG_CONFIG_HOME/Vozo/zorvik24.ini
grep -q '^ctimeword=9$' "$ini" || fail "ctimeword not saved: $(grep ctimeword "$ini")"
grep -q '^guageword=3$' "$ini" || fail "guageword not saved: $(grep guageword "$ini")"
wait_log "category='文明驾驶' -> 2 records" 10
wait_log "record 1 of 2 : 礼让1" 10
kill -0 "$STUDY" || fail "Study ended"
echo ok
