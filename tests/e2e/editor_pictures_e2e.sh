#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures in the personal-list editor: a new question gets a picture from
# the file dialog before it is saved; the picture lands in word.ocx with it
# and shows at the foot of the list when the question is selected again.
source "$E2E_LIB"
make_bank "交通安全法律,第1题,答一"
settings ctimeword=15 guageword=1
convert -size 200x90 xc:gold -fill black -draw 'rectangle 20,20 180,70' "$E2E/mark.png"
start_study 'record 1 of 1'
study_menu n
ed=$(window_named "增加问题") || fail "the editor did not open"
sleep 1
# A question without a picture first: the list keeps its whole height.
click_in "$ed" 60 57
type_text "Q-plain"
click_in "$ed" 60 97
type_text "A-plain"
click_in "$ed" 60 124
wait_log "added record 1 in"
click_in "$ed" 299 38            # the picture button opens its menu
sleep 0.5
xdotool key Down Return          # 选择图片…
window_named "选择题目的图片" >/dev/null || fail "no file dialog"
sleep 0.8
type_text "$E2E/mark.png"
xdotool key Return
wait_log "editor took a picture from mark.png : png"
sleep 0.5
shot editor_picture_pending
click_in "$ed" 60 57
type_text "Q-with-picture"
click_in "$ed" 60 97
type_text "A-picture"
click_in "$ed" 60 124
wait_log "stored a picture for record 2 in"
click_in "$ed" 60 152            # list entry 0: Q-plain, no picture
sleep 0.5
shot editor_picture_none
click_in "$ed" 60 168            # list entry 1: the new question
wait_log "editor shows the picture of record 2 : png"
sleep 0.5
shot editor_picture_shown
click_in "$ed" 322 15            # close the editor
sleep 0.5
want=$(od -An -v -tx1 "$E2E/mark.png" | tr -d ' \n' | tr a-f A-F)
got=$(sqlite3 "$APP/word.ocx" "select hex(picture) from Word where English='Q-with-picture'")
[ "$got" = "$want" ] || fail "the picture is not stored byte for byte"
[ "$(sqlite3 "$APP/word.ocx" "select picture is null from Word where English='Q-plain'")" = 1 ] \
  || fail "the question without a picture got one"
echo ok
