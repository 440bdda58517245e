#!/bin/bash
# Screenshots of the skin demo under Xvfb with openbox: active, hovered and
# pressed command button, inactive. Usage: screenshots.sh <skindemo> <out dir>
# Checks that each state shows different pixels where it should.
set -u
demo=$1 out=$2
mkdir -p "$out"
if [ -z "${SKIN_SHOTS_INNER:-}" ]; then
  SKIN_SHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$0" "$@"
fi
export XDG_RUNTIME_DIR=$(mktemp -d) HOME=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 & wm=$!
sleep 1
"$demo" & app=$!
cleanup() { kill "$app" ${other:-} "$wm" 2>/dev/null; wait 2>/dev/null; }
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

crop() { convert "$out/$1.png" -crop "$2" +repage "$out/.crop-$1.png"; }
differ() {  # differ <a> <b> <geometry> <what>
  crop "$1" "$3"; crop "$2" "$3"
  n=$(compare -metric AE "$out/.crop-$1.png" "$out/.crop-$2.png" null: 2>&1)
  if [ "${n%%.*}" -gt 20 ]; then echo "ok: $4 ($n pixels differ)"; else echo "FAIL: $4 (only $n pixels differ)"; fail=1; fi
}
fail=0
button="81x25+$((X + 20))+$((Y + 420))"
band="345x29+$X+$Y"
differ active hovered "$button" "hover face differs from rest face"
differ hovered pressed "$button" "pressed face differs from hover face"
differ active inactive "$band" "inactive title band differs from active one"
rm -f "$out"/.crop-*.png
exit $fail
