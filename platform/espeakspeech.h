// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QTimer>

#include "platform/speech.h"

// espeak-ng through its library, playing asynchronously on the library's own
// threads. Its default voice is Mandarin, since every text the programs
// speak is Chinese.
class EspeakSpeech : public Speech {
public:
    static std::unique_ptr<Speech> create();
    ~EspeakSpeech() override;

    QStringList voiceDescriptions() override;
    bool selectVoice(int position) override;
    bool speak(const QStringList& texts, Done done) override;
    void cancel() override;

private:
    EspeakSpeech();
    // Hands the next text to the engine; false when the engine refuses it.
    bool startNext();
    void poll();
    void finish(bool played);

    // Voice file this object speaks with; empty for the Mandarin default.
    QByteArray voiceFile_;
    QStringList queue_;
    Done done_;
    unsigned current_ = 0;  // the engine's number for the text being spoken
    QTimer poll_;
    QElapsedTimer quiet_;  // since the engine went idle without a sign of playback
};
