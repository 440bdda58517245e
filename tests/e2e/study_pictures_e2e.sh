#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A bank with pictures built by bankctl from a CSV with a picture column,
# shown by Study: a sign above its question, a question without a picture,
# then a PNG; the window fits each, and showing them never changes the file.
source "$E2E_LIB"
src=$(cd "$(dirname "$E2E_LIB")/../.." && pwd)
mkdir -p "$E2E/pics"
cp "$src/data/bank-pictures/sign-no-entry.svg" "$E2E/pics/"
convert -size 480x240 gradient:skyblue-darkgreen -fill white -draw "rectangle 40,150 440,170" \
  "$E2E/pics/road.png"
cat >"$E2E/bank.csv" <<'CSV'
category,question,answer,picture
交通信号,1 驾驶机动车在路口看到这个红底白横杠的标志，表示什么？,禁止驶入：禁止车辆驶入,pics/sign-no-entry.svg
交通信号,2 交通信号灯由哪三种颜色的灯组成？,红灯、绿灯、黄灯,
交通信号,3 这段道路上的白色实线表示什么？,禁止跨越对向车行道分界线,pics/road.png
CSV
rm -f "$APP/reg.ocx"
"$APP/bankctl" build "$E2E/bank.csv" "$APP" >"$E2E/build.txt" 2>&1 || { cat "$E2E/build.txt"; fail "bankctl build"; }
grep -q '2 道有图片' "$E2E/build.txt" || fail "bankctl did not store two pictures: $(cat "$E2E/build.txt")"
before=$(sha256sum "$APP/reg.ocx")

settings ctimeword=5 guageword=2 voice=0
start_study 'picture [0-9]+x[0-9]+ svg'
grep -q 'record 1 of 3 : 1 驾驶机动车' "$LOG" || fail "the first record is not the sign's"
grep -q 'picture 160x160 svg' "$LOG" || fail "the sign is not 160 pixels tall"
wait_count 'geometry' 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$STUDY_WIN")"
[ "$HEIGHT" -gt 200 ] || fail "window $WIDTH x $HEIGHT is too low for the sign and its text"
shot study_picture_sign
with=$HEIGHT

# The next record has no picture: the window shrinks to the text alone.
wait_log 'record 2 of 3'
wait_count 'geometry' 2
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$STUDY_WIN")"
[ "$HEIGHT" -lt 120 ] || fail "window $WIDTH x $HEIGHT still holds room for a picture"
[ "$HEIGHT" -lt "$with" ] || fail "window did not shrink ($with -> $HEIGHT)"
[ "$(count_log 'picture [0-9]+x[0-9]+')" = 1 ] || fail "a picture was logged for the record without one"
shot study_picture_none

# A PNG road picture, wider than the text.
wait_log 'picture 320x160 png'
wait_count 'geometry' 3
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$STUDY_WIN")"
[ "$WIDTH" -ge 320 ] || fail "window $WIDTH x $HEIGHT is narrower than the picture"
shot study_picture_png

grep -q 'picture not shown' "$LOG" && fail "a picture failed: $(grep 'picture not shown' "$LOG")"
[ "$(sha256sum "$APP/reg.ocx")" = "$before" ] || fail "showing pictures changed reg.ocx"
echo ok
