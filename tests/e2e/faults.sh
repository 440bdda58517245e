# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of the fault-matrix tests (sourced after lib.sh): turn a good
# question file into one of the faulty cases, hold a file for exclusive use,
# run a program as an unprivileged user where permissions must count, and
# answer the modal message box.
: "${TEST_BIN:?TEST_BIN must name the folder of the test helpers}"

FAULT_CASES=(missing empty truncated random notable password locked rofile rofolder)
# The files are used where they lie: a read-only program folder must then
# give its message. (Left to itself it would count as an installed copy and
# use copies in the user's data folder; the install tests cover that.)
export QUILLMERE_DATA_MODE=portable
HOLDER=

# make_fault <file in $APP> <case> <bank|personal>
make_fault() {
  local f=$APP/$1
  case $2 in
    missing) rm -f "$f" ;;
    empty) : >"$f" ;;
    truncated) local n; n=$(stat -c %s "$f"); head -c $((n / 2)) "$f" >"$f.cut"; mv "$f.cut" "$f" ;;
    random) head -c 65536 /dev/urandom >"$f" ;;
    notable) rm -f "$f"; sqlite3 "$f" "CREATE TABLE Other (x); INSERT INTO Other VALUES ('not a question');" ;;
    password) rm -f "$f"; "$TEST_BIN/faultfile" make "$f" "$3" "another-password" ;;
    locked) hold_exclusive "$f" ;;
    rofile) chmod 444 "$f" ;;
    rofolder) chmod 555 "$APP" ;;
    *) fail "unknown fault case $2" ;;
  esac
  cp -p "$f" "$E2E/before" 2>/dev/null || rm -f "$E2E/before"
}

# Afterwards the file is byte for byte what it was (a missing one stays missing).
unchanged() {  # file in $APP
  local f=$APP/$1
  if [ -e "$E2E/before" ]; then
    cmp -s "$f" "$E2E/before" || fail "$1 changed"
  else
    [ ! -e "$f" ] || fail "$1 was created"
  fi
  [ ! -s "$f-journal" ] || fail "$1 has a journal left"
}

# Another process holds the file: an exclusive lock kept by the sqlite3 shell.
hold_exclusive() {
  mkfifo "$E2E/hold"
  sqlite3 "$1" <"$E2E/hold" >/dev/null 2>&1 &
  HOLDER=$!
  PIDS+=("$HOLDER")
  exec 8>"$E2E/hold"
  printf 'PRAGMA locking_mode=EXCLUSIVE;\nBEGIN EXCLUSIVE;\n' >&8
  local i
  # A loaded machine can take seconds to start the shell and take the lock.
  for ((i = 0; i < 300; i++)); do
    sqlite3 "$1" "SELECT 1 FROM sqlite_master LIMIT 1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the lock on $1 was not taken"
}

release() {  # ends the holder (the shell rolls its empty transaction back) and undoes permissions
  if [ -n "$HOLDER" ]; then
    exec 8>&-
    wait "$HOLDER" 2>/dev/null || true
    HOLDER=
    rm -f "$E2E/hold"
  fi
  chmod 755 "$APP"
}

# Permissions mean nothing to root: such cases run the program as nobody.
unprivileged() {  # case -> true when the case needs a user that permissions bind
  [ "$1" = rofile ] || [ "$1" = rofolder ]
}
as_nobody() {
  if [ "$(id -u)" != 0 ]; then RUN_AS=; return 0; fi
  command -v setpriv >/dev/null || { echo "SKIP: running as root without setpriv, permissions cannot be tested"; return 1; }
  chmod 755 "$E2E"
  chown -R 65534:65534 "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$APP"
  if [ -n "${XAUTHORITY:-}" ] && [ -f "$XAUTHORITY" ]; then
    cp "$XAUTHORITY" "$E2E/xauth"
    chmod 644 "$E2E/xauth"
  fi
  RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env XAUTHORITY=$E2E/xauth"
}
back_to_root() {
  RUN_AS=
  chown -R 0:0 "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$APP"
}

# The modal message box of a program (its title is the program's name): wait
# for it, then press Return in it.
close_box() {  # title
  local i w
  for ((i = 0; i < 100; i++)); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || fail "no message box titled $1"
  xdotool windowactivate --sync "$w" 2>/dev/null || true
  sleep 0.2
  xdotool key --clearmodifiers Return
  for ((i = 0; i < 50; i++)); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the message box $1 did not close"
}

# Study ends in order from its menu: right-click, the last entry.
quit_study() {  # pid
  local win
  win=$(window_of "$1") || fail "no Study window"
  click_in "$win" 10 10 3
  sleep 0.4
  xdotool key Up Return
  gone "$1" 5 || fail "Study did not end from its menu"
  wait "$1" || fail "Study ended with status $?"
}

# The number of message lines so far, to tell one case's message from the last.
messages_so_far() { count_log 'ui.message: message:'; }
new_message() {  # since, pattern
  wait_count 'ui.message: message:' $(($1 + 1)) 10
  grep -E 'ui.message: message:' "$LOG" | tail -n +$(($1 + 1)) | grep -q -E -- "$2" ||
    fail "message does not match $2: $(grep -E 'ui.message: message:' "$LOG" | tail -n 1)"
}

# The program really runs as the user the case asks for.
runs_as() {  # pid uid; setpriv changes the user just before it starts the program
  local i uid
  for ((i = 0; i < 50; i++)); do
    uid=$(awk '/^Uid:/ {print $2}' "/proc/$1/status" 2>/dev/null || true)
    [ "$uid" = "$2" ] && return 0
    sleep 0.1
  done
  fail "pid $1 runs as user $uid, not $2"
}
