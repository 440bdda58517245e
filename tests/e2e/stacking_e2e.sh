#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The display is kept above other windows, yet no window of Study's is ever
# hidden under it: while the options dialog (also at 55 points, when the
# display grows over it), the about window or the personal-list editor is
# open, the window manager stacks that window over the display; when it
# closes the display is above again. The order is read from the window
# manager's _NET_CLIENT_LIST_STACKING (bottom to top).
source "$E2E_LIB"
make_bank "交通安全法律,第1题：驾驶机动车在道路上行驶，应当遵守哪些规定？,答一" \
  "交通安全法律,第2题,答二" "文明驾驶,礼让1,是"
settings ontopword=1 ctimeword=15
start_study "record 1 of"

hexid() { printf '0x%x' "$1"; }
stack_pos() {  # window -> its place from the bottom in the stacking list, or -1
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' |
    awk -v w="$(hexid "$1")" 'tolower($0) == tolower(w) { print NR; f = 1 } END { if (!f) print -1 }'
}
above_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -c _NET_WM_STATE_ABOVE || true; }
# Waits until `window` is stacked over the display and the display is no
# longer kept above: what the window manager shows, not what Study asked.
wait_over_display() {  # window what
  local i
  for ((i = 0; i < 100; i++)); do
    [ "$(stack_pos "$1")" -gt "$(stack_pos "$STUDY_WIN")" ] && [ "$(above_state "$STUDY_WIN")" = 0 ] &&
      return 0
    sleep 0.1
  done
  fail "$2 is not stacked over the display: stacking $(xprop -root _NET_CLIENT_LIST_STACKING)," \
    "display $(hexid "$STUDY_WIN") state $(xprop -id "$STUDY_WIN" _NET_WM_STATE)"
}
wait_display_above() {  # what
  local i
  for ((i = 0; i < 100; i++)); do
    [ "$(above_state "$STUDY_WIN")" = 1 ] && return 0
    sleep 0.1
  done
  fail "the display is not above again after $1 closed: $(xprop -id "$STUDY_WIN" _NET_WM_STATE)"
}
closed() {  # title
  local i
  for ((i = 0; i < 50; i++)); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "$1 is still open"
}

[ "$(above_state "$STUDY_WIN")" = 1 ] || fail "the display is not kept above at start"

# The options dialog, and the display grown to 55 points under it.
study_menu o
dlg=$(window_named "选项...") || fail "the options dialog did not open"
wait_over_display "$dlg" "the options dialog"
xdotool windowactivate --sync "$dlg" 2>/dev/null || true
tw() { echo $(($1 / 15)); }  # twips to pixels at 96 dpi
# The size box text2 at 2400,120 in the group at 0,4680.
click_in "$dlg" $(($(tw 2400) + 10)) $(($(tw $((4680 + 120))) + 8))
xdotool key ctrl+a
before=$(count_log "geometry")
type_text 55
wait_count "geometry" $((before + 1)) 10
shot stacking_options_55pt
wait_over_display "$dlg" "the options dialog at 55 points"
# Back to 12 points, typed into the box the display no longer covers.
xdotool key ctrl+a
type_text 12
xdotool key alt+F4
closed "选项..."
wait_display_above "the options dialog"

# The about window.
study_menu a
about=$(window_named "Version") || fail "the about window did not open"
wait_over_display "$about" "the about window"
shot stacking_about
xdotool key alt+F4
closed "Version"
wait_display_above "the about window"

# The personal-list editor, which is not modal: the display stays below it
# while it is open.
study_menu n
ed=$(window_named "增加问题") || fail "the editor did not open"
wait_over_display "$ed" "the editor"
shot stacking_editor
# Minimised it stays open: the display stays aside until it closes, so the
# editor comes back over it.
xdotool windowminimize "$ed"
wait_over_display_state_only() {
  local i
  for ((i = 0; i < 30; i++)); do
    [ "$(above_state "$STUDY_WIN")" = 0 ] || fail "the display took the top layer back while the editor was minimised"
    sleep 0.1
  done
}
wait_over_display_state_only
xdotool windowactivate "$ed" 2>/dev/null || xdotool windowmap "$ed"
wait_over_display "$ed" "the editor brought back"
xdotool windowactivate --sync "$ed" 2>/dev/null || true
xdotool key alt+F4
closed "增加问题"
wait_display_above "the editor"
kill -0 "$STUDY" || fail "Study ended"
echo ok
