// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speech.h"

#ifdef HAVE_ESPEAK
#include "platform/espeakspeech.h"
#endif

std::unique_ptr<Speech> createSpeech() {
#ifdef HAVE_ESPEAK
    if (qEnvironmentVariable("QUILLMERE_SPEECH") != QLatin1String("silent")) {
        auto engine = EspeakSpeech::create();
        if (engine) return engine;
    }
#endif
    return std::make_unique<SilentSpeech>();
}
