#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study starting on a settings file whose values are absent, empty, not
# numbers, negative, huge, fractional, in another key case, repeated, binary
# garbage, or a file it may not read: the values in effect are the first-run
# ones wherever the stored one is bad, and the display is readable (the
# question shown, a window of sensible size on the screen, text and
# background in different colours).
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/faults.sh"
INI=$XDG_CONFIG_HOME/Vozo/zorvik24.ini
KEYS=(ctimeword ssaveword guageword markword voice winleftword ontopword txtColor formColor isnoSpeak Spdtimes FontSizeNumber)
every() {  # value: every numeric key set to it, marker present
  { echo "[General]"; echo "xxx=1"; for k in "${KEYS[@]}"; do echo "$k=$1"; done; } >"$INI"
}

# name | how the file is made | expected "in effect" line, as sed edits of the first-run line
CASES=(
  "absent|printf '[General]\nxxx=1\n' >\"\$INI\"|"
  "empty|every ''|"
  "empty-marker|{ echo '[General]'; echo 'xxx='; for k in \"\${KEYS[@]}\"; do echo \"\$k=\"; done; } >\"\$INI\"|"
  "not-numeric|every 'abc'|"
  "negative|every -1|s/ voice=[^ ]*/ voice=-1/; s/ winleftword=[^ ]*/ winleftword=-1/; s/ Spdtimes=[^ ]*/ Spdtimes=-1/"
  "huge|every 99999999999999999999|"
  "fractional|every 7.5|s/ winleftword=[^ ]*/ winleftword=8/"
  "key-case|printf '[General]\nXXX=1\nCTIMEWORD=3\nGuageWord=0\nFONTSIZENUMBER=20\ntxtcolor=255\n' >\"\$INI\"|s/ctimeword=[^ ]*/ctimeword=3/; s/guageword=[^ ]*/guageword=0/; s/FontSizeNumber=[^ ]*/FontSizeNumber=20/; s/txtColor=[^ ]*/txtColor=255/"
  "duplicated|printf '[General]\nxxx=1\nctimeword=abc\nctimeword=99\nFontSizeNumber=1000\nFontSizeNumber=x\n[General]\nctimeword=-3\n' >\"\$INI\"|"
  "garbage|head -c 8192 /dev/urandom >\"\$INI\"|"
  "unreadable|every 5; chmod 000 \"\$INI\"|"
)

# The first-run values: a clean profile.
rm -rf "$XDG_CONFIG_HOME/Vozo"
start Study
pid=$LAST_PID
wait_log 'in effect:'
first_run=$(grep -o 'in effect:.*' "$LOG" | head -n 1)
quit_study "$pid"
echo "first run: $first_run"

tried=0
for entry in "${CASES[@]}"; do
  IFS='|' read -r name make edits <<<"$entry"
  echo "case $name"
  rm -rf "$XDG_CONFIG_HOME/Vozo"
  mkdir -p "$XDG_CONFIG_HOME/Vozo"
  eval "$make"
  if [ "$name" = unreadable ]; then as_nobody || continue; fi
  : >"$LOG"
  start Study
  pid=$LAST_PID
  wait_log 'record 1 of [0-9]+ : .'
  # The window is sized after the record is shown; its geometry line follows.
  wait_log 'geometry -?[0-9]+ -?[0-9]+ [0-9]+x[0-9]+'
  got=$(grep -o 'in effect:.*' "$LOG" | head -n 1)
  want=$(sed -e "${edits:-n}" <<<"$first_run")
  [ -n "$edits" ] || want=$first_run
  [ "$got" = "$want" ] || fail "$name: $got, expected $want"
  [ "$(messages_so_far)" = 0 ] || fail "$name: unexpected message"
  # Readable: a window of sensible size on the screen, in two colours at least.
  read -r x y w h < <(grep -o 'geometry -\?[0-9]* -\?[0-9]* [0-9]*x[0-9]*' "$LOG" | tail -n 1 | tr 'x' ' ' | cut -d' ' -f2-) ||
    fail "$name: no geometry line"
  [ "$w" -ge 140 ] && [ "$w" -le 1280 ] && [ "$h" -ge 20 ] && [ "$h" -le 1024 ] || fail "$name: window ${w}x$h"
  [ "$x" -ge 0 ] && [ $((x + w)) -le 1280 ] || fail "$name: window at x=$x, width $w, off the screen"
  win=$(window_of "$pid") || fail "no Study window ($name)"
  sleep 0.3
  import -window "$win" "$SHOT_DIR/settings_$name.png"
  colours=$(convert "$SHOT_DIR/settings_$name.png" -format %k info:)
  [ "$colours" -ge 2 ] || fail "$name: the window shows a single colour"
  quit_study "$pid"
  [ -n "${RUN_AS:-}" ] && back_to_root
  tried=$((tried + 1))
done
echo "ok ($tried cases)"
