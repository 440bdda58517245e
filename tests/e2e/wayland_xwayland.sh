#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# On a Wayland desktop with XWayland (DISPLAY set, QT_QPA_PLATFORM not),
# Study runs as an X11 client: its window is on XWayland's display, asks to
# be centred, and asks for the above state. Headless weston's own X window manager does
# not offer that state (_NET_SUPPORTED lacks _NET_WM_STATE_ABOVE) and
# rewrites _NET_WM_STATE when it maps a window, so the request is read from
# the X protocol (xtrace) where the property cannot show it. A user's
# QT_QPA_PLATFORM still decides.
source "$(dirname "$0")/weston.sh" --xwayland
DISPLAY=$(xwayland_display) || fail "weston started no XWayland"
export DISPLAY
make_bank "交通安全法律,第1题,答一" "交通信号,信号b,答二"
settings ctimeword=30
export QT_LOGGING_RULES="$QT_LOGGING_RULES;study.settings=false"

# xtrace relays a display of its own to XWayland's and writes down the requests.
for ((n = 60; n < 100; n++)); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
xtrace -n -d "$DISPLAY" -D ":$n" -o "$E2E/xtrace.txt" -- "$APP/Study" >>"$LOG" 2>&1 &
PIDS+=($!)
wait_log 'study\.display: window system: xcb' 20
wait_log 'study\.display: record 1 of [0-9]+' 20
win=""
for ((i = 0; i < 100; i++)); do
  win=$(xdotool search --onlyvisible --class '^Study$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "no Study window on XWayland's display $DISPLAY"
wl_shot xwayland_study

# Centred: the position and size Study gives the window when it maps it
# (WM_NORMAL_HINTS with a user-given position, the last before MapWindow).
# Headless weston's window manager usually honours that position, but at
# times races the Wayland surface against the X map and puts the window at
# a place of its own; so the request is what is checked, and the actual
# place is only reported.
hex=$(printf '0x%08x' "$win")
mapped=$(grep -n -E "MapWindow window=$hex" "$E2E/xtrace.txt" | head -n 1 | cut -d: -f1)
[ -n "$mapped" ] || fail "no MapWindow for $hex in the X protocol"
hints=$(head -n "$mapped" "$E2E/xtrace.txt" | grep -E "ChangeProperty .*window=$hex property=[^ ]*\"WM_NORMAL_HINTS\"" | tail -n 1 |
  sed -n 's/.*data=\(0x[0-9a-f]*\),\(0x[0-9a-f]*\),\(0x[0-9a-f]*\),\(0x[0-9a-f]*\),\(0x[0-9a-f]*\).*/\1 \2 \3 \4 \5/p')
read -r flags x y w0 h0 <<<"$hints"
[ -n "${h0:-}" ] || fail "no WM_NORMAL_HINTS before the window was mapped"
(((flags & 1) != 0)) || fail "the position is not marked as given by the user (flags $flags)"
read -r sw sh < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
centred() { local dx=$(($1 + $3 / 2 - sw / 2)) dy=$(($2 + $4 / 2 - sh / 2)); [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; }
centred $((x)) $((y)) $((w0)) $((h0)) || fail "Study asked for $((x)),$((y)) ${w0}x$h0 on ${sw}x$sh: not centred"
ax=$(xwininfo -id "$win" | sed -n 's/.*Absolute upper-left X: *//p')
ay=$(xwininfo -id "$win" | sed -n 's/.*Absolute upper-left Y: *//p')
if [ "$ax" -eq $((x)) ] && [ "$ay" -eq $((y)) ]; then
  echo "the window manager placed the window where Study asked: $ax,$ay"
else
  echo "note: headless weston placed the window at $ax,$ay, not at the $((x)),$((y)) Study asked for"
fi

# The above state: set on the window before it is mapped.
above=$(grep -n -E "ChangeProperty .*window=$hex property=[^ ]*\"_NET_WM_STATE\".*\"_NET_WM_STATE_ABOVE\"" "$E2E/xtrace.txt" | head -n 1 | cut -d: -f1)
[ -n "$above" ] || fail "Study did not ask for _NET_WM_STATE_ABOVE"
[ "$above" -lt "$mapped" ] || fail "the above state was not set before the window was mapped"
if xprop -root _NET_SUPPORTED | grep -q _NET_WM_STATE_ABOVE; then
  xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the window manager dropped the above state"
fi
kill "${PIDS[-1]}"
for ((i = 0; i < 50; i++)); do [ -z "$(xdotool search --class '^Study$' 2>/dev/null)" ] && break; sleep 0.1; done

# A user's choice stands.
: >"$LOG"
QT_QPA_PLATFORM=wayland start Study
wait_log 'study\.display: window system: wayland' 20
wait_log 'study\.display: record 1 of [0-9]+' 20
echo ok
