#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study with large text, an animated GIF and a large photo: the picture grows
# with the font, the animation plays, and Z or a click on the picture shows
# it at its own size in a window over the display, while the display waits;
# Esc or a click closes it and the display goes on.
source "$E2E_LIB"
mkdir -p "$E2E/pics"
convert -delay 30 -size 300x120 xc:grey xc:red xc:blue -loop 0 "$E2E/pics/gesture.gif"
convert -size 1800x900 gradient:skyblue-darkgreen -fill white -draw "rectangle 100,600 1700,640" \
  "$E2E/pics/photo.jpg"
cat >"$E2E/bank.csv" <<'CSV'
category,question,answer,picture
交通信号,1 交通警察的这个手势表示什么？,停止信号,pics/gesture.gif
交通信号,2 这段道路上的白色实线表示什么？,禁止跨越对向车行道分界线,pics/photo.jpg
CSV
rm -f "$APP/reg.ocx"
"$APP/bankctl" build "$E2E/bank.csv" "$APP" >"$E2E/build.txt" 2>&1 || { cat "$E2E/build.txt"; fail "bankctl build"; }

settings ctimeword=3 guageword=2 voice=0 FontSizeNumber=24
start_study 'picture [0-9]+x[0-9]+ gif .* animated'
grep -q 'picture 300x120 gif' "$LOG" || fail "the animation is not at its own size"
# Its first play (0.9 s) holds the 3-second step only if it is still playing.
wait_log 'record 2 of 2' 15
wait_log 'picture 640x320 jpeg' 5  # 24 points: twice 160, a third of 1024 caps it at 341
wait_count 'geometry' 2
sleep 0.5
shot study_zoom_display
eval "$(xdotool getwindowgeometry --shell "$STUDY_WIN")"
[ "$HEIGHT" -gt 320 ] || fail "window $WIDTH x $HEIGHT is lower than the picture"

# Z on the display (clicked first on its text, below the picture, for the keys).
click_in "$STUDY_WIN" 20 $((HEIGHT - 15))
xdotool key z
wait_log 'picture zoomed to 1280x640'
wait_log 'display waits while the picture is zoomed'
records=$(count_log 'record [0-9]+ of')
sleep 0.5
shot study_zoom_open
xdotool key Escape
wait_log 'picture zoom closed'
wait_log 'display goes on after the zoom'
[ "$(count_log 'record [0-9]+ of')" = "$records" ] || fail "the display stepped while zoomed"
wait_count 'record [0-9]+ of' $((records + 1)) 10

# A click on the picture (either one: both stand centred at the top) opens
# it too; a click closes it.
eval "$(xdotool getwindowgeometry --shell "$STUDY_WIN")"
click_in "$STUDY_WIN" $((WIDTH / 2)) 30
wait_count 'picture zoomed' 2
size=$(grep -oE 'picture zoomed to [0-9]+x[0-9]+' "$LOG" | tail -n 1 | grep -oE '[0-9]+x[0-9]+$')
zoom=
for ((i = 0; i < 50; i++)); do
  for w in $(xdotool search --onlyvisible --pid "$STUDY" 2>/dev/null); do
    [ "$w" = "$STUDY_WIN" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "${WIDTH}x${HEIGHT}" = "$size" ] && zoom=$w
  done
  [ -n "$zoom" ] && break
  sleep 0.1
done
[ -n "$zoom" ] || fail "no window of $size for the zoomed picture"
click_in "$zoom" 20 20
wait_count 'picture zoom closed' 2
wait_count 'display goes on after the zoom' 2
echo ok
