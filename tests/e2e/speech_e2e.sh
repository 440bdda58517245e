#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study speaking with real audio played in real time through a private sound
# server with a null sink: the window answers the menu while a long question
# is spoken, a tick that falls due meanwhile waits for the end of the speech
# and then moves at once, the recorded audio lasts as long as the texts
# spoken, and the exit command ends the program at once while it speaks.
source "$E2E_LIB"
unset QUILLMERE_SPEECH
export QT_MESSAGE_PATTERN='%{time process} %{category}: %{message}'
PROBE=$TEST_BIN/speechprobe
# Clock from starting the click to the X server mapping the menu.
WATCH=$TEST_BIN/menuwatch
[ -x "$PROBE" ] && [ -x "$WATCH" ] || fail "no speechprobe or menuwatch in $TEST_BIN"

# The sound server, in this test's own HOME and XDG_RUNTIME_DIR.
pulseaudio -n --daemonize=no --exit-idle-time=-1 -L "module-null-sink sink_name=null" \
  -L module-native-protocol-unix -L module-always-sink >"$E2E/pulse.log" 2>&1 &
PIDS+=($!)
for ((i = 0; i < 300; i++)); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { cat "$E2E/pulse.log"; fail "the sound server did not start"; }
RATE=22050
parecord --raw -d null.monitor --format=s16le --rate=$RATE --channels=1 "$E2E/rec.raw" &
REC=$!
PIDS+=($REC)

LONG="2.机动车在道路上行驶时，应当遵守交通信号灯的指示，在没有交通信号的道路上，应当在确保安全、畅通的原则下通行，遇到行人正在通过人行横道时，应当停车让行。"
Q1=1.第一题 A2=对 Q3=3.准驾车型为C1的可以驾驶哪种车 A3=小型汽车
make_bank "交通安全法律,$Q1,不读" "交通安全法律,$LONG,$A2" "交通安全法律,$Q3,$A3"
settings ctimeword=1 guageword=1 voice=1 isnoSpeak=1
start_study 'record 1 of 3'
pid=$STUDY win=$STUDY_WIN

# The long question is spoken from the first tick on; right-clicks while it
# is spoken open the menu within 300 ms.
wait_log "study.speech: speak $LONG" 15
spoken=$(count_log 'study.speech: spoken')
times=()
for n in 1 2 3; do
  xdotool mousemove --window "$win" 10 10
  sleep 0.3
  ms=$("$WATCH" 5000 xdotool click 3) || fail "no menu within 5 s of a right-click while speaking"
  times+=("$ms")
  xdotool key Escape
  for ((i = 0; i < 50; i++)); do
    xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -q -v "^$win\$" || break
    sleep 0.1
  done
done
[ "$(count_log 'study.speech: spoken')" = "$spoken" ] || fail "the long question ended before the menu test did"
grep -q 'record 3 of 3' "$LOG" && fail "a tick moved on while the long question was spoken"
echo "menu response while speaking (ms): ${times[*]}"
for ms in "${times[@]}"; do [ "$ms" -le 300 ] || fail "the menu took $ms ms to open while speaking"; done

# The ticks that fell due wait for the end of the speech, then one step runs at once.
wait_log 'record 3 of 3' 60
at_ms() { grep -E -- "$1" "$LOG" | head -n 1 | awk '{ printf "%d", $1 * 1000 }'; }
end_ms=$(at_ms 'study.speech: spoken')
next_ms=$(at_ms 'record 3 of 3')
gap=$(( next_ms - end_ms ))
echo "next record after the end of the speech: $gap ms"
[ "$gap" -le 500 ] || fail "the waiting tick ran $gap ms after the speech ended"
[ "$(count_log 'record 1 of 3')" = 1 ] || fail "ticks piled up while speaking"

# Pause while the third question is spoken: its speech is not cut short and
# nothing more is spoken.
wait_log "study.speech: speak $Q3" 10
study_menu p
wait_count 'study.speech: spoken' 2 30
sleep 1  # trailing audio in the server's buffer reaches the recording
kill -INT $REC; wait $REC 2>/dev/null || true
[ "$(count_log 'study.speech: speak')" = 4 ] || fail "unexpected texts spoken: $(grep 'study.speech: speak' "$LOG")"
grep -q "study.speech: speak $Q1" "$LOG" && fail "the record shown at open was spoken"
grep -q '后面为答案' <(grep 'study.speech: speak' "$LOG") && fail "the marker was spoken"

read -r expected _ < <("$PROBE" synth "$LONG" "$A2" "$Q3" "$A3")
read -r recorded total < <("$PROBE" span "$E2E/rec.raw" $RATE)
echo "recorded speech $recorded ms (recording $total ms), engine's own synthesis $expected ms"
diff=$(( recorded - expected )); diff=${diff#-}
# The two steps are spoken back to back apart from the short move between
# them; allow for that and for the sound server's start-up.
[ "$diff" -le $(( expected / 10 + 800 )) ] || fail "recorded $recorded ms of speech, expected about $expected ms"

# Exit while the long question is spoken ends the program at once.
study_menu c
wait_count "study.speech: speak $LONG" 2 30
study_menu
t0=$EPOCHREALTIME
xdotool key Up Return
gone "$pid" 10 || fail "Study did not end after exit while speaking"
t1=$EPOCHREALTIME
echo "exit while speaking took $(( (${t1/./} - ${t0/./}) / 1000 )) ms "
(( (${t1/./} - ${t0/./}) / 1000 < 3000 )) || fail "exit while speaking was slow"
echo ok
