// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <espeak-ng/speak_lib.h>
#include <pcaudiolib/audio.h>

#include <QString>
#include <memory>

// The speech engine's libraries, espeak-ng and the sound library it plays
// through, opened by the program when speech is first wanted rather than by
// the dynamic linker at every start: a program that never speaks maps
// neither them nor what they pull in (PulseAudio, ALSA, sonic). The headers
// give the functions' types; their addresses are looked up once, here.
class SpeechLibrary {
public:
    struct Names {
        const char* engine;
        const char* sound;
    };
    // The runtime names (sonames) of the packages the programs depend on.
    static constexpr Names kSystem{"libespeak-ng.so.1", "libpcaudio.so.0"};

    // Opens both libraries and finds every function the programs call; null,
    // with the reason in `why`, when a library is missing, cannot be loaded
    // or lacks one of them. Nothing is called in the libraries meanwhile.
    static std::unique_ptr<SpeechLibrary> load(Names names, QString* why);

    // A loaded library is never closed: the speaking thread may still be in
    // it while the program ends.
    SpeechLibrary(const SpeechLibrary&) = delete;
    SpeechLibrary& operator=(const SpeechLibrary&) = delete;

    struct Engine {
        decltype(&espeak_Initialize) initialize = nullptr;
        decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
        decltype(&espeak_ListVoices) listVoices = nullptr;
        decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
        decltype(&espeak_SetVoiceByFile) setVoiceByFile = nullptr;
        decltype(&espeak_Synth) synth = nullptr;
    } engine;

    struct Sound {
        decltype(&create_audio_device_object) create = nullptr;
        decltype(&audio_object_open) open = nullptr;
        decltype(&audio_object_write) write = nullptr;
        decltype(&audio_object_drain) drain = nullptr;
        decltype(&audio_object_flush) flush = nullptr;
        decltype(&audio_object_strerror) strerror = nullptr;
        decltype(&audio_object_close) close = nullptr;
        decltype(&audio_object_destroy) destroy = nullptr;
    } sound;

private:
    SpeechLibrary() = default;
};
