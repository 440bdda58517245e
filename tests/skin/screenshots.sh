#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the skin demo under Xvfb with openbox: active, hovered and
# pressed command button, inactive. Checks that each state shows different
# pixels where it should. Runs on the display of scripts/xsession:
#   scripts/xsession screenshots.sh <skindemo> <out dir>
set -u
demo=$1 out=$2
mkdir -p "$out"
export XDG_RUNTIME_DIR=$(mktemp -d) HOME=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
"$demo" & app=$!
cleanup() { kill "$app" ${other:-} 2>/dev/null; wait 2>/dev/null; }
trap cleanup EXIT
win=""
for _ in $(seq 50); do
  win=$(xdotool search --onlyvisible --name '^增加问题$' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { echo "demo window did not appear"; exit 1; }
xdotool windowactivate --sync "$win" 2>/dev/null
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"   # X, Y
SX=$X SY=$Y
shot() { import -window root "$out/$1.png"; }
# cmdSave sits at 20,420 (81 x 25) in the window
bx=$((X + 60)) by=$((Y + 432))
xdotool mousemove $((X + 200)) $((Y + 300)); sleep 0.4; shot active
xdotool mousemove "$bx" "$by"; sleep 0.1; xdotool mousemove $((bx + 2)) "$by"; sleep 0.4; shot hovered
xdotool mousedown 1; sleep 0.4; shot pressed
xdotool mouseup 1; xdotool mousemove $((X + 200)) $((Y + 300)); sleep 0.3
"$demo" --other & other=$!
sleep 1
owin=$(xdotool search --onlyvisible --name '^skindemo other$' | head -1)
xdotool windowactivate --sync "$owin" 2>/dev/null
sleep 0.6; shot inactive

# Double-click on the caption band: maximised, then back to normal. A real
# double click under a window manager also starts a system move on each press.
geom() { xdotool getwindowgeometry --shell "$win" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' '; }
before=$(geom)
xdotool windowactivate --sync "$win" 2>/dev/null; sleep 0.3
xdotool mousemove $((X + 200)) $((Y + 18)); sleep 0.2; xdotool click --repeat 2 --delay 80 1; sleep 0.8
maxed=$(geom); shot maximised
xdotool mousemove 200 18; sleep 0.2; xdotool click --repeat 2 --delay 80 1; sleep 0.8
after=$(geom)

# Dragging the band moves the window (by the window manager); dragging the
# right border widens it on release.
# The window manager takes over once the pointer has dragged a few pixels,
# so the window may trail the pointer by up to that distance.
xdotool mousemove $((X + 200)) $((Y + 18)) mousedown 1; sleep 0.2
for i in $(seq 1 10); do xdotool mousemove $((X + 200 + 2 * i)) $((Y + 18 + i)); sleep 0.03; done
xdotool mousemove $((X + 300)) $((Y + 68)); sleep 0.3
xdotool mouseup 1; sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
moved="X=$X Y=$Y"
xdotool mousemove $((X + 342)) $((Y + 200)) mousedown 1; sleep 0.2
xdotool mousemove $((X + 382)) $((Y + 200)); sleep 0.2; xdotool mouseup 1; sleep 0.5
widened=$(geom)

crop() { convert "$out/$1.png" -crop "$2" +repage "$out/.crop-$1.png"; }
differ() {  # differ <a> <b> <geometry> <what>
  crop "$1" "$3"; crop "$2" "$3"
  n=$(compare -metric AE "$out/.crop-$1.png" "$out/.crop-$2.png" null: 2>&1)
  if [ "${n%%.*}" -gt 20 ]; then echo "ok: $4 ($n pixels differ)"; else echo "FAIL: $4 (only $n pixels differ)"; fail=1; fi
}
fail=0
button="81x25+$((SX + 20))+$((SY + 420))"
band="345x29+$SX+$SY"
differ active hovered "$button" "hover face differs from rest face"
differ hovered pressed "$button" "pressed face differs from hover face"
differ active inactive "$band" "inactive title band differs from active one"
if [ "$maxed" = "WIDTH=1280 HEIGHT=1024 " ] && [ "$after" = "$before" ]; then
  echo "ok: double-click maximised ($maxed) and restored ($after)"
else
  echo "FAIL: double-click: before [$before] maximised [$maxed] after [$after]"; fail=1
fi
if [ $((160 - X)) -le 12 ] && [ $((160 - X)) -ge 0 ] && [ $((110 - Y)) -le 12 ] && [ $((110 - Y)) -ge 0 ]
then echo "ok: title drag by (100, 50) moved the window from 60,60 to $moved"
else echo "FAIL: title drag left the window at $moved"; fail=1; fi
if [ "$widened" = "WIDTH=385 HEIGHT=497 " ]; then echo "ok: right border drag gave $widened"
else echo "FAIL: right border drag gave $widened"; fail=1; fi
rm -f "$out"/.crop-*.png
exit $fail
