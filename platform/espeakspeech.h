#pragma once
#include <QList>

#include "platform/speech.h"

// espeak-ng through its library. Its default voice is Mandarin, since every
// text the programs speak is Chinese.
class EspeakSpeech : public Speech {
public:
    static std::unique_ptr<Speech> create();
    ~EspeakSpeech() override;

    QStringList voiceDescriptions() override;
    bool selectVoice(int position) override;
    bool speak(const QString& text) override;

private:
    EspeakSpeech() = default;
    struct Voice {
        QByteArray name;
        QString description;
    };
    QList<Voice> voices_;
};
