#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The speech engine is loaded only when speech is on: with speech off, Study
# shows its window and steps through the records without mapping espeak-ng
# or its sound library; with speech on it maps them and speaks; and where the
# engine's library cannot be loaded, Study goes on silently and says why.
source "$E2E_LIB"
unset QUILLMERE_SPEECH PULSE_SERVER
# No sound server in this test's runtime folder and an ALSA without devices:
# what matters here is what gets loaded, not what is heard.
: >"$E2E/asound.conf"
export ALSA_CONFIG_PATH=$E2E/asound.conf
make_bank "交通安全法律,1.第一题,对" "交通安全法律,2.第二题,错" "交通安全法律,3.第三题,对"

mapped() { grep -q -F "$1" "/proc/$STUDY/maps"; }
sound_libraries() {
  grep -o -E '/[^ ]*lib(espeak-ng|pcaudio|pulse[^/ ]*|asound|sonic)\.so[^ ]*' "/proc/$STUDY/maps" |
    sort -u | tr '\n' ' '
}
stop_study() {
  kill "$STUDY"
  gone "$STUDY" 10 || fail "Study did not end"
  mv "$LOG" "$E2E/$1.log"
}

# Speech off: the window is shown and steps on, and no speech library is mapped.
settings ctimeword=1 guageword=1 voice=0
start_study 'geometry'
wait_log 'record 3 of 3' 20
shot speech_off_window
echo "speech off, sound libraries mapped: $(sound_libraries)"
mapped libespeak-ng.so && fail "espeak-ng is mapped with speech off"
mapped libpcaudio.so && fail "the speech sound library is mapped with speech off"
grep -q 'study.speech' "$LOG" && fail "speech was used with speech off"
stop_study speech_off

# Speech on: the engine is loaded and asked to speak.
settings ctimeword=1 guageword=1 voice=1 isnoSpeak=1
start_study 'record 1 of 3'
wait_log 'study.speech: speak' 20
wait_log 'study.speech: (spoken|speech failed)' 20
echo "speech on, sound libraries mapped: $(sound_libraries)"
mapped libespeak-ng.so.1 || fail "espeak-ng is not mapped with speech on"
mapped libpcaudio.so.0 || fail "the speech sound library is not mapped with speech on"
stop_study speech_on

# An engine library that cannot be loaded: Study says so once, stays silent
# and keeps stepping.
mkdir "$E2E/broken"
printf 'not a library\n' >"$E2E/broken/libespeak-ng.so.1"
export LD_LIBRARY_PATH=$E2E/broken${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
start_study 'record 1 of 3'
unset LD_LIBRARY_PATH
wait_log 'espeak-ng unavailable \(.*libespeak-ng\.so\.1' 20
wait_log 'study.speech: spoken' 20
wait_log 'record 3 of 3' 20
[ "$(count_log 'espeak-ng unavailable')" = 1 ] || fail "the missing engine was reported more than once"
mapped libespeak-ng.so && fail "a broken espeak-ng stayed mapped"
grep -m 1 'espeak-ng unavailable' "$LOG"
echo ok
