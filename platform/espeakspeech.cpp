#include "platform/espeakspeech.h"

#include <espeak-ng/speak_lib.h>

#include "platform/logging.h"

namespace {
// In espeak-ng 1.51 the plain "cmn" voice reads tone digits in English; the
// pinyin variant reads Chinese characters as Mandarin.
constexpr const char* kMandarin = "cmn-latn-pinyin";

// The library keeps global state: initialise it once per process and share it
// between the voice objects, which are created afresh before each spoken step.
bool initialised() {
    static const bool ok = [] {
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCH_PLAYBACK, 0, nullptr, 0);
        if (rate < 0) qCInfo(lcSpeech) << "espeak-ng unavailable (no sound device?)";
        return rate >= 0;
    }();
    return ok;
}
}  // namespace

std::unique_ptr<Speech> EspeakSpeech::create() {
    if (!initialised()) return nullptr;
    std::unique_ptr<EspeakSpeech> s(new EspeakSpeech);
    for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
        const char* name = (*v)->name ? (*v)->name : "";
        const char* id = (*v)->identifier ? (*v)->identifier : "";
        s->voices_.append({QByteArray(id), QString::fromUtf8(name)});
    }
    if (espeak_SetVoiceByName(kMandarin) != EE_OK)
        qCInfo(lcSpeech) << "Mandarin voice not found; espeak-ng keeps its default";
    return s;
}

EspeakSpeech::~EspeakSpeech() = default;

QStringList EspeakSpeech::voiceDescriptions() {
    QStringList out;
    for (const Voice& v : voices_) out << v.description;
    return out;
}

bool EspeakSpeech::selectVoice(int position) {
    if (position < 0 || position >= voices_.size()) return false;
    return espeak_SetVoiceByFile(voices_[position].name.constData()) == EE_OK;
}

bool EspeakSpeech::speak(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const espeak_ERROR err = espeak_Synth(utf8.constData(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                          espeakCHARS_UTF8, nullptr, nullptr);
    if (err != EE_OK) return false;
    return espeak_Synchronize() == EE_OK;
}
