// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/espeakspeech.h"

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/logging.h"
#include "platform/speechtext.h"

namespace {
// In espeak-ng 1.51 the plain "cmn" voice reads tone digits in English; the
// pinyin variant reads Chinese characters as Mandarin.
constexpr const char* kMandarin = "cmn-latn-pinyin";
// The engine reports playback through events that come as the sound plays;
// a text that left the engine without any was not played (no sound device).
// Its own status says nothing in this mode.
constexpr int kPollMs = 40;
constexpr int kGraceMs = 500;

// Highest text number the engine has reported an event for. Written on the
// engine's event thread; nothing else is touched there, so the callback stays
// harmless while the program ends.
std::atomic<unsigned> heard{0};

int onEvents(short*, int, espeak_EVENT* events) {
    for (espeak_EVENT* e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        unsigned seen = heard.load();
        while (e->unique_identifier > seen &&
               !heard.compare_exchange_weak(seen, e->unique_identifier)) {
        }
    }
    return 0;
}

struct Voice {
    QByteArray file;
    QString description;
};

// The library keeps global state: it is initialised once per process and
// shared by the voice objects, which are created afresh before each spoken
// step. Never destroyed: a cancel may still run on its own thread while the
// program ends.
struct Engine {
    bool ok = false;
    QList<Voice> voices;
    QByteArray current;  // voice file in use; empty for the Mandarin default
    bool currentSet = false;
    std::mutex mutex;  // held while the engine is used or cancelled

    // Called only while the engine is idle: voice changes are not queued.
    bool use(const QByteArray& file) {
        if (currentSet && file == current) return true;
        const espeak_ERROR err = file.isEmpty() ? espeak_SetVoiceByName(kMandarin)
                                                : espeak_SetVoiceByFile(file.constData());
        if (err != EE_OK) {
            if (file.isEmpty())
                qCInfo(lcSpeech) << "Mandarin voice not found; espeak-ng keeps its default";
            return file.isEmpty();
        }
        current = file;
        currentSet = true;
        return true;
    }
};

Engine* engine() {
    static Engine* e = [] {
        auto* s = new Engine;
        const int rate =
            espeak_Initialize(AUDIO_OUTPUT_PLAYBACK, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        s->ok = rate > 0;
        if (!s->ok) {
            qCInfo(lcSpeech) << "espeak-ng unavailable (no data or no sound output)";
            return s;
        }
        espeak_SetSynthCallback(onEvents);
        for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
            const char* name = (*v)->name ? (*v)->name : "";
            const char* id = (*v)->identifier ? (*v)->identifier : "";
            s->voices.append({QByteArray(id), QString::fromUtf8(name)});
        }
        s->use({});
        return s;
    }();
    return e;
}
}  // namespace

std::unique_ptr<Speech> EspeakSpeech::create() {
    if (!engine()->ok) return nullptr;
    return std::unique_ptr<Speech>(new EspeakSpeech);
}

EspeakSpeech::EspeakSpeech() {
    poll_.setInterval(kPollMs);
    QObject::connect(&poll_, &QTimer::timeout, [this] { poll(); });
}

EspeakSpeech::~EspeakSpeech() {
    cancel();
}

QStringList EspeakSpeech::voiceDescriptions() {
    QStringList out;
    for (const Voice& v : engine()->voices) out << v.description;
    return out;
}

bool EspeakSpeech::selectVoice(int position) {
    const QList<Voice>& voices = engine()->voices;
    if (position < 0 || position >= voices.size()) return false;
    voiceFile_ = voices[position].file;
    return true;
}

bool EspeakSpeech::speak(const QStringList& texts, Done done) {
    cancel();
    for (const QString& t : texts)
        if (!t.trimmed().isEmpty()) queue_ << t;
    done_ = std::move(done);
    if (queue_.isEmpty()) {
        finish(true);
        return true;
    }
    if (startNext()) return true;
    queue_.clear();
    done_ = nullptr;
    return false;
}

bool EspeakSpeech::startNext() {
    Engine* e = engine();
    const QByteArray utf8 = prepareSpeechText(queue_.takeFirst()).toUtf8();
    std::lock_guard<std::mutex> lock(e->mutex);
    if (!e->use(voiceFile_)) return false;
    unsigned id = 0;
    const espeak_ERROR err = espeak_Synth(utf8.constData(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                          espeakCHARS_UTF8, &id, nullptr);
    if (err != EE_OK || id == 0) return false;
    current_ = id;
    quiet_.invalidate();
    poll_.start();
    return true;
}

void EspeakSpeech::poll() {
    if (espeak_IsPlaying()) {
        quiet_.invalidate();
        return;
    }
    if (heard.load() >= current_) {
        if (queue_.isEmpty())
            finish(true);
        else if (!startNext())
            finish(false);
        return;
    }
    // Events can trail the engine's idle state a little.
    if (!quiet_.isValid())
        quiet_.start();
    else if (quiet_.elapsed() >= kGraceMs)
        finish(false);
}

void EspeakSpeech::finish(bool played) {
    poll_.stop();
    current_ = 0;
    queue_.clear();
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) done(played);
}

void EspeakSpeech::cancel() {
    poll_.stop();
    queue_.clear();
    done_ = nullptr;
    if (current_ == 0) return;
    current_ = 0;
    // espeak_Cancel waits for the engine's sound thread, which takes up to most
    // of a second; the caller goes on (or the program ends) at once meanwhile.
    std::thread([] {
        std::lock_guard<std::mutex> lock(engine()->mutex);
        espeak_Cancel();
    }).detach();
}
