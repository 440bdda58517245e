# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of the end-to-end tests: a private program folder (a copy of
# the build's), a private home, and helpers to drive the real programs on
# the X display that scripts/xsession provides.
set -euo pipefail

: "${PROGRAM_DIR:?PROGRAM_DIR must name the build program folder}"
: "${SHOT_DIR:?SHOT_DIR must name the screenshot folder}"
mkdir -p "$SHOT_DIR"
E2E=$(mktemp -d)
trap 'e2e_cleanup' EXIT
export HOME=$E2E/home XDG_CONFIG_HOME=$E2E/config XDG_DATA_HOME=$E2E/data XDG_RUNTIME_DIR=$E2E/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
APP=$E2E/program
mkdir -p "$APP"
for f in Study Manager bankctl reg.ocx word.ocx help.html; do
  [ -e "$PROGRAM_DIR/$f" ] && cp "$PROGRAM_DIR/$f" "$APP/"
done
export QT_LOGGING_RULES="study.*=true;questionbank.db=true;ui.message=true;skin.debug=false"
export QUILLMERE_SPEECH=silent
LOG=$E2E/log.txt
PIDS=()

e2e_cleanup() {
  for p in "${PIDS[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
  rm -rf "$E2E"
}

fail() { echo "FAIL: $*"; echo "--- log ---"; tail -n 60 "$LOG" 2>/dev/null || true; exit 1; }
# A command that ends the test through set -e says which one it was.
trap 'echo "FAIL: line $LINENO of ${BASH_SOURCE[0]##*/}: $BASH_COMMAND"; tail -n 20 "$LOG" 2>/dev/null || true' ERR

# A bank made from CSV lines "category,question,answer".
make_bank() {
  printf 'category,question,answer\n' >"$E2E/bank.csv"
  printf '%s\n' "$@" >>"$E2E/bank.csv"
  rm -f "$APP/reg.ocx"
  "$APP/bankctl" build "$E2E/bank.csv" "$APP" >/dev/null
}

settings() {  # key=value ... on top of a seeded store
  mkdir -p "$XDG_CONFIG_HOME/Vozo"
  { echo "[General]"; echo "xxx=1"; printf '%s\n' "$@"; } >"$XDG_CONFIG_HOME/Vozo/zorvik24.ini"
}

start() {  # program name; its stderr (the log) goes to $LOG
  ${RUN_AS:-} "$APP/$1" >>"$LOG" 2>&1 &
  PIDS+=($!)
  LAST_PID=$!
}

wait_log() {  # pattern [seconds]
  local pattern=$1 limit=${2:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    grep -q -E -- "$pattern" "$LOG" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no log line matching: $pattern"
}

count_log() { grep -c -E -- "$1" "$LOG" 2>/dev/null || true; }

window_of() {  # pid -> first visible window id
  local i w
  for ((i = 0; i < 100; i++)); do
    w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

window_named() {  # title -> window id
  local i w
  for ((i = 0; i < 100; i++)); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

click_in() {  # window x y [button]
  # Let the program see the pointer arrive before the button goes down.
  xdotool mousemove --window "$1" "$2" "$3"
  sleep 0.15
  xdotool click "${4:-1}"
  sleep 0.2
}

type_text() {  # text; typed into the focused control
  xdotool type --delay 40 "$1"
  sleep 0.3
}

shot() { import -window root "$SHOT_DIR/$1.png"; }

gone() {  # pid [seconds]
  local i
  for ((i = 0; i < ${2:-5} * 10; i++)); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

wait_count() {  # pattern count [seconds]
  local i
  for ((i = 0; i < ${3:-10} * 10; i++)); do
    [ "$(count_log "$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  fail "fewer than $2 log lines matching: $1"
}

# Starts Study, waits for the log line given, and finds its window.
start_study() {  # log-pattern
  start Study
  STUDY=$LAST_PID
  wait_log "$1"
  STUDY_WIN=$(window_of "$STUDY") || fail "no Study window"
}

# Opens Study's pop-up menu with the right button and presses keys in it.
study_menu() {  # keys...
  click_in "$STUDY_WIN" 10 10 3
  sleep 0.4
  [ $# -gt 0 ] && xdotool key "$@"
  return 0
}
