#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the personal list while Study's editor holds word.ocx: the
# editor's first record fills the picture panel at the foot of its list, and
# the display goes on showing the pictures of the records it steps to.
source "$E2E_LIB"
make_bank "交通安全法律,第1题,答一"
convert -size 200x90 xc:gold -fill black -draw 'rectangle 20,20 180,70' "$E2E/a.png"
convert -size 120x80 xc:skyblue "$E2E/b.png"
sqlite3 "$APP/word.ocx" "INSERT INTO Word (English, Chinese, picture) VALUES
    ('Q-a', 'A-a', readfile('$E2E/a.png')), ('Q-b', 'A-b', readfile('$E2E/b.png'));"
settings ctimeword=2 guageword=10
start_study 'record 1 of 2'
wait_log 'picture 200x90 png'
study_menu n
ed=$(window_named "增加问题") || fail "the editor did not open"
# Shown while the form loads, fitted again once the foot of the list has its size.
wait_log "editor fits the picture of record 1 to [0-9]+ x [0-9]+ : 2[0-9][0-9] x 9[0-9] device pixels"
shown_b=$(count_log 'picture 120x80 png')
wait_count 'picture 120x80 png' $((shown_b + 1)) 15
shot words_pictures_editor_open
[ "$(count_log 'picture not shown')" = 0 ] || fail "the display dropped a picture"
click_in "$ed" 322 15            # close the editor
wait_log "editor .* closed"
echo ok
