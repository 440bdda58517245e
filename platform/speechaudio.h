// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/speechlibrary.h"

// The machine's sound output for synthesised speech: 16-bit mono samples,
// played in real time (PulseAudio, else ALSA, else OSS). An output that
// fails is closed, and the next start looks for a sound output afresh, so
// speech comes back once a sound server is there again. Used by one thread
// at a time.
class SpeechAudio {
public:
    explicit SpeechAudio(const SpeechLibrary::Sound& library) : lib_(library) {}
    SpeechAudio(const SpeechAudio&) = delete;
    SpeechAudio& operator=(const SpeechAudio&) = delete;
    ~SpeechAudio();

    // Opens the output unless it is open; false when there is none.
    bool start(int sampleRate);
    // Returns when the samples are queued, which keeps pace with playback;
    // false when the output failed.
    bool write(const short* samples, int count);
    // Returns when everything written has been played; false on failure.
    bool finish();
    // Drops what is queued and not yet played.
    void discard();
    // Why the last call failed, in the sound library's words.
    QString error() const { return error_; }

private:
    // True for success; otherwise keeps the reason and closes the output.
    bool check(int code);
    void close();

    const SpeechLibrary::Sound& lib_;
    audio_object* out_ = nullptr;
    int rate_ = 0;
    QString error_;
};
