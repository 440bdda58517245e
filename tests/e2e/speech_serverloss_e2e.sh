#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The sound server goes away while Study speaks: the failure is noticed and
# logged once, nothing counts as spoken, the sound library does not fill
# stderr on every tick, and once a sound server is there again a reload
# brings the speech back without restarting Study.
source "$E2E_LIB"
unset QUILLMERE_SPEECH PULSE_SERVER
export QT_MESSAGE_PATTERN='%{category}: %{message}'
PROBE=$TEST_BIN/speechprobe
[ -x "$PROBE" ] || fail "no speechprobe in $TEST_BIN"
RATE=22050

# A sound server with a null sink in this test's own HOME and XDG_RUNTIME_DIR,
# and a recording of what it plays.
start_sound() {  # recording file
  pulseaudio -n --daemonize=no --exit-idle-time=-1 -L "module-null-sink sink_name=null" \
    -L module-native-protocol-unix -L module-always-sink >>"$E2E/pulse.log" 2>&1 &
  PULSE=$!
  PIDS+=($PULSE)
  for ((i = 0; i < 300; i++)); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || { cat "$E2E/pulse.log"; fail "the sound server did not start"; }
  parecord --raw -d null.monitor --format=s16le --rate=$RATE --channels=1 "$1" &
  REC=$!
  PIDS+=($REC)
}
audible_ms() { read -r span _ < <("$PROBE" span "$1" $RATE); echo "$span"; }
wait_audible() {  # recording seconds
  for ((i = 0; i < $2 * 10; i++)); do
    [ "$(audible_ms "$1")" -gt 300 ] && return 0
    sleep 0.1
  done
  return 1
}
# Lines on stderr that are not the program's own log.
complaints() { grep -c -v -E '^(study|questionbank|ui|skin)[.a-z]*: ' "$LOG" || true; }

LONG="2.机动车在道路上行驶时，应当遵守交通信号灯的指示，在没有交通信号的道路上，应当在确保安全、畅通的原则下通行，遇到行人正在通过人行横道时，应当停车让行。"
make_bank "交通安全法律,1.第一题,对" "交通安全法律,2.第二题,错" "交通安全法律,$LONG,对"
settings ctimeword=3 guageword=1 voice=1 isnoSpeak=0

start_sound "$E2E/rec1.raw"
start_study 'record 1 of 3'
wait_log 'study.speech: spoken' 30
wait_audible "$E2E/rec1.raw" 10 || fail "the first spoken step was not heard"

# The server goes away while the long question is spoken.
wait_log "study.speech: speak $LONG" 30
kill "$PULSE"
wait "$PULSE" 2>/dev/null || true
wait_log 'silent until the next reload' 20
[ "$(count_log 'study.speech: spoken')" = 1 ] || fail "speech counted as spoken without a sound server"
ticks=$(count_log 'record [0-9] of 3')
wait_count 'record [0-9] of 3' $((ticks + 3)) 30
[ "$(count_log 'silent until the next reload')" = 1 ] || fail "the failure was logged more than once"
[ "$(count_log 'study.speech: sound output failed')" = 1 ] || fail "the failure's reason was not logged once"
lost=$(complaints)
echo "lines on stderr besides the log after the server went away: $lost"
[ "$lost" -le 3 ] || fail "the sound library complained $lost times: $(grep -v -E '^(study|questionbank|ui|skin)' "$LOG" | head -n 5)"

# A sound server again, and a reload from the options dialog.
start_sound "$E2E/rec2.raw"
reloads=$(count_log '-> 3 records')
study_menu o
window_named "选项..." >/dev/null || fail "the options dialog did not open"
xdotool key alt+F4
wait_count '-> 3 records' $((reloads + 1)) 20
wait_count 'study.speech: spoken' 2 60
wait_audible "$E2E/rec2.raw" 10 || fail "speech was logged as spoken after the reload but not heard"
kill "$REC" 2>/dev/null || true
echo "heard again after the reload: $(audible_ms "$E2E/rec2.raw") ms"
[ "$(complaints)" = "$lost" ] || fail "stderr got more lines after the reload"
kill -0 "$STUDY" || fail "Study ended"
echo ok
