# SPDX-License-Identifier: GPL-3.0-or-later
# A headless weston for the Wayland tests, on top of lib.sh: its socket is
# in the test's own XDG_RUNTIME_DIR. weston --debug offers the screenshot
# protocol that weston-screenshooter uses; the pixman renderer gives it pixels
# (the headless default draws nothing).
# Usage: source weston.sh [--xwayland]
source "$E2E_LIB"
export WAYLAND_DISPLAY=wayland-quillmere XDG_SESSION_TYPE=wayland
unset DISPLAY QT_QPA_PLATFORM
WESTON_LOG=$E2E/weston.log
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --width=1280 --height=1024 --use-pixman \
  --idle-time=0 --debug --log="$WESTON_LOG" "$@" >"$E2E/weston.out" 2>&1 &
WESTON=$!
PIDS+=("$WESTON")
for ((i = 0; i < 200; i++)); do
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && grep -q 'launching .*weston-desktop-shell' "$WESTON_LOG" 2>/dev/null && break
  kill -0 "$WESTON" 2>/dev/null || { cat "$E2E/weston.out" "$WESTON_LOG"; fail "weston did not start"; }
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston made no socket"

# The X display of weston's XWayland, when started with --xwayland.
xwayland_display() {
  local i d
  for ((i = 0; i < 100; i++)); do
    d=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WESTON_LOG" | head -n 1)
    [ -n "$d" ] && { echo "$d"; return 0; }
    sleep 0.1
  done
  return 1
}

# A screenshot of weston's whole output, by weston-screenshooter, saved as
# $SHOT_DIR/<name>.png.
wl_shot() {  # name
  local dir=$E2E/shots.$1 i f
  mkdir -p "$dir"
  (cd "$dir" && weston-screenshooter) >"$E2E/screenshooter.txt" 2>&1 ||
    { cat "$E2E/screenshooter.txt"; fail "weston-screenshooter failed"; }
  for ((i = 0; i < 50; i++)); do
    f=$(ls "$dir"/*.png 2>/dev/null | head -n 1)
    [ -n "$f" ] && break
    sleep 0.1
  done
  [ -n "$f" ] || fail "weston-screenshooter wrote no picture"
  mv "$f" "$SHOT_DIR/$1.png"
}
