// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QTimer>
#include <memory>

#include "platform/speech.h"

struct SpeechRequest;

// espeak-ng through its library. The engine synthesises on a speaking thread
// of its own and the samples are played through our own sound output, which
// notices a failing sound server and finds it again later; the caller's
// thread only hands over texts and looks for the outcome. The default voice
// is Mandarin, since every text the programs speak is Chinese.
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
    void poll();

    // Voice file this object speaks with; empty for the Mandarin default.
    QByteArray voiceFile_;
    std::shared_ptr<SpeechRequest> request_;
    Done done_;
    QTimer poll_;
};
