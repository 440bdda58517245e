#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures in Manager: a bank built with pictures shows them when a category
# is chosen; a picture chosen in the file dialog and a removal go into
# reg.ocx with the record on save. (Questions in ASCII: xdotool drops Chinese
# characters under load.)
source "$E2E_LIB"
DATA=$(cd "$(dirname "$E2E_LIB")/../../data" && pwd)
mkdir -p "$E2E/csv/pics"
cp "$DATA/bank-pictures/sign-no-entry.svg" "$E2E/csv/pics/"
convert -size 160x100 xc:orange -fill navy -draw 'circle 80,50 80,15' "$E2E/csv/pics/lamp.png"
convert -size 90x120 xc:seagreen "$E2E/new.jpg"
cat >"$E2E/csv/bank.csv" <<CSV
category,question,answer,picture
交通安全法律,law question,law answer,
交通信号,p1 sign,no entry,pics/sign-no-entry.svg
交通信号,p2 lamp,a lamp,pics/lamp.png
交通信号,p3 plain,no picture,
CSV
rm -f "$APP/reg.ocx"
"$APP/bankctl" build "$E2E/csv/bank.csv" "$APP" >/dev/null
start Manager
MPID=$LAST_PID
mgr=$(window_of "$MPID") || fail "no Manager window"
sleep 0.8
click_in "$mgr" 300 74           # Combo1
sleep 0.4
xdotool key Down Return          # 交通信号
wait_log "editor shows the picture of record 2 : svg"
sleep 0.5
shot manager_picture_svg
click_in "$mgr" 60 57            # List1 entry 2: p2 lamp
wait_log "editor shows the picture of record 3 : png"
sleep 0.3
shot manager_picture_png

# A question without a picture gets one from the file dialog.
click_in "$mgr" 60 73            # entry 3: p3 plain
sleep 0.5
shot manager_picture_none
click_in "$mgr" 412 412          # the picture button opens its menu
sleep 0.5
xdotool key Down Return          # 选择图片…
dlg=$(window_named "选择题目的图片") || fail "no file dialog"
sleep 0.8
type_text "$E2E/new.jpg"
xdotool key Return
wait_log "editor took a picture from new.jpg : jpeg"
gone_dialog=0
for _ in $(seq 50); do xdotool search --onlyvisible --name '^选择题目的图片$' >/dev/null 2>&1 || { gone_dialog=1; break; }; sleep 0.1; done
[ $gone_dialog = 1 ] || fail "file dialog still open"
sleep 0.4
shot manager_picture_chosen
click_in "$mgr" 308 316          # cmdSave
wait_log "stored a picture for record 4 in"
[ -f "$APP/reg.ocx.bak" ] || fail "no backup before the first write"

# The sign is removed: the menu's third entry, then save.
click_in "$mgr" 60 41            # entry 1: p1 sign
wait_log "editor shows the picture of record 2 : svg"
click_in "$mgr" 412 412
sleep 0.5
xdotool key Down Down Down Return  # 移除图片
wait_log "editor removed the picture"
sleep 0.3
shot manager_picture_removed
click_in "$mgr" 308 316
wait_log "removed the picture of record 2 in"

click_in "$mgr" 308 412          # 退出
gone "$MPID" 5 || fail "Manager did not end"
want=$(od -An -v -tx1 "$E2E/new.jpg" | tr -d ' \n' | tr a-f A-F)
got=$(sqlite3 "$APP/reg.ocx" "select hex(picture) from Word where English='p3 plain'")
[ "$got" = "$want" ] || fail "the chosen picture is not stored byte for byte"
[ "$(sqlite3 "$APP/reg.ocx" "select picture is null from Word where English='p1 sign'")" = 1 ] \
  || fail "the removed picture is still stored"
[ "$(sqlite3 "$APP/reg.ocx" "select length(picture) from Word where English='p2 lamp'")" = \
  "$(stat -c %s "$E2E/csv/pics/lamp.png")" ] || fail "an untouched picture changed"
[ "$(sqlite3 "$APP/reg.ocx.bak" "select count(picture) from Word")" = 2 ] || fail "backup does not hold the old pictures"
echo ok
