#pragma once
#include <QString>
#include <QStringList>
#include <memory>

// Text-to-speech voice: the installed voices with their descriptions, voice
// selection by position, and speaking that returns when the text is spoken.
class Speech {
public:
    virtual ~Speech() = default;
    virtual QStringList voiceDescriptions() = 0;
    // False when the position names no voice.
    virtual bool selectVoice(int position) = 0;
    // Speaks synchronously; false when the engine could not speak.
    virtual bool speak(const QString& text) = 0;
};

// Speaks nothing; stands in when no speech engine is available.
class SilentSpeech : public Speech {
public:
    QStringList voiceDescriptions() override { return {}; }
    bool selectVoice(int) override { return false; }
    bool speak(const QString&) override { return true; }
};

// A new voice of the best engine on this machine (espeak-ng, else silent).
// QUILLMERE_SPEECH=silent forces the silent engine.
using SpeechFactory = std::unique_ptr<Speech> (*)();
std::unique_ptr<Speech> createSpeech();
