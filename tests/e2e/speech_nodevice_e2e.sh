#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Study speaking without any sound device: the first failure is logged once
# and the display stays silent until the next reload, so the sound library's
# complaints are not repeated on every tick.
source "$E2E_LIB"
unset QUILLMERE_SPEECH PULSE_SERVER
# No sound server in this test's own runtime folder, and an ALSA without
# devices, whatever the machine has.
: >"$E2E/asound.conf"
export ALSA_CONFIG_PATH=$E2E/asound.conf
make_bank "交通安全法律,1.第一题,对" "交通安全法律,2.第二题,错"
settings ctimeword=1 guageword=1 voice=1 isnoSpeak=1
start_study 'record 1 of 2'
wait_log 'silent until the next reload' 20
complaints=$(grep -c -v -E '^(study|questionbank)\.' "$LOG" || true)
ticks=$(count_log 'record [0-9] of 2')
wait_count 'record [0-9] of 2' $((ticks + 4)) 20
[ "$(count_log 'silent until the next reload')" = 1 ] || fail "the failure was logged more than once"
[ "$(count_log 'study.speech: speak')" = 2 ] || fail "speech was tried again after the failure"
now=$(grep -c -v -E '^(study|questionbank)\.' "$LOG" || true)
[ "$now" = "$complaints" ] || fail "the sound library complained again on later ticks ($complaints -> $now lines)"
echo "sound library lines at the failure: $complaints, after 4 more ticks: $now"
echo ok
