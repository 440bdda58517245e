// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Text-to-speech voice: the installed voices with their descriptions, voice
// selection by position, and speaking that never blocks the caller.
class Speech {
public:
    // Told once whether every text was played (false: the engine or the sound
    // device failed).
    using Done = std::function<void(bool played)>;

    virtual ~Speech() = default;
    virtual QStringList voiceDescriptions() = 0;
    // False when the position names no voice.
    virtual bool selectVoice(int position) = 0;
    // Speaks the texts one after another and returns at once; `done` runs on
    // the caller's thread when the last text has been spoken or one could not
    // be played. It may run before speak() returns. False, and `done` is never
    // called, when the engine refuses the request outright.
    virtual bool speak(const QStringList& texts, Done done) = 0;
    // Stops what is being spoken without waiting for the sound to end; the
    // request's `done` is not called. Releasing the voice does the same.
    virtual void cancel() = 0;
};

// Speaks nothing; stands in when no speech engine is available.
class SilentSpeech : public Speech {
public:
    QStringList voiceDescriptions() override { return {}; }
    bool selectVoice(int) override { return false; }
    bool speak(const QStringList&, Done done) override {
        if (done) done(true);
        return true;
    }
    void cancel() override {}
};

// A new voice of the best engine on this machine (espeak-ng, else silent).
// QUILLMERE_SPEECH=silent forces the silent engine.
using SpeechFactory = std::unique_ptr<Speech> (*)();
std::unique_ptr<Speech> createSpeech();
