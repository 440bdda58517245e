// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/espeakspeech.h"

#include <QList>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/logging.h"
#include "platform/speechaudio.h"
#include "platform/speechlibrary.h"
#include "platform/speechtext.h"

// One speak request, shared by the voice that asked and the speaking thread,
// so either may let go of it first.
struct SpeechRequest {
    enum Outcome { Pending, Played, Failed };
    QList<QByteArray> texts;  // prepared for speaking, UTF-8
    QByteArray voiceFile;     // empty for the Mandarin default
    std::atomic<bool> cancelled{false};
    std::atomic<int> outcome{Pending};
    QString failure;  // why it failed; written before outcome is set
};

namespace {
// In espeak-ng 1.51 the plain "cmn" voice reads tone digits in English; the
// pinyin variant reads Chinese characters as Mandarin.
constexpr const char* kMandarin = "cmn-latn-pinyin";
constexpr int kPollMs = 20;
// Length of the sample blocks the engine hands over: short enough that a
// cancel or a lost sound server is noticed within a fraction of a second.
constexpr int kBlockMs = 100;

struct Voice {
    QByteArray file;
    QString description;
};

// The text being synthesised and where its samples go; touched only on the
// speaking thread.
struct Playing {
    SpeechRequest* request;
    SpeechAudio* audio;
    bool failed = false;
};
Playing* playing = nullptr;

int onSamples(short* wav, int count, espeak_EVENT*) {
    Playing* p = playing;
    if (!p) return 0;
    if (p->request->cancelled.load()) return 1;
    if (wav && count > 0 && !p->audio->write(wav, count)) {
        p->failed = true;
        return 1;  // stops the synthesis of this text
    }
    return 0;
}

// The library keeps global state: it is loaded and initialised once per
// process, on the caller's thread when the first voice is made, and from
// then on only the speaking thread uses it. Never destroyed: the speaking
// thread may still be inside the sound library while the program ends, and
// the program does not wait for it.
class Engine {
public:
    bool ok = false;
    int sampleRate = 0;
    QList<Voice> voices;

    void initialise() {
        QString why;
        lib_ = SpeechLibrary::load(SpeechLibrary::kSystem, &why);
        if (!lib_) {
            qCInfo(lcSpeech).noquote() << QStringLiteral("espeak-ng unavailable (%1)").arg(why);
            return;
        }
        const SpeechLibrary::Engine& es = lib_->engine;
        sampleRate =
            es.initialize(AUDIO_OUTPUT_SYNCHRONOUS, kBlockMs, nullptr, espeakINITIALIZE_DONT_EXIT);
        ok = sampleRate > 0;
        if (!ok) {
            qCInfo(lcSpeech) << "espeak-ng unavailable (no voice data)";
            return;
        }
        es.setSynthCallback(onSamples);
        for (const espeak_VOICE** v = es.listVoices(nullptr); v && *v; ++v) {
            const char* name = (*v)->name ? (*v)->name : "";
            const char* id = (*v)->identifier ? (*v)->identifier : "";
            voices.append({QByteArray(id), QString::fromUtf8(name)});
        }
        if (!use({})) qCInfo(lcSpeech) << "Mandarin voice not found; espeak-ng keeps its default";
        audio_ = std::make_unique<SpeechAudio>(lib_->sound);
        std::thread([this] { run(); }).detach();
    }

    void submit(std::shared_ptr<SpeechRequest> r) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(std::move(r));
        }
        wake_.notify_one();
    }

private:
    void run() {
        for (;;) {
            std::shared_ptr<SpeechRequest> r;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [this] { return !queue_.empty(); });
                r = std::move(queue_.front());
                queue_.pop_front();
            }
            if (r->cancelled.load()) continue;
            const bool played = play(*r);
            r->outcome.store(played ? SpeechRequest::Played : SpeechRequest::Failed);
        }
    }

    bool play(SpeechRequest& r) {
        if (!audio_->start(sampleRate)) return fail(r);
        for (const QByteArray& text : r.texts) {
            use(r.voiceFile);
            Playing p{&r, audio_.get()};
            playing = &p;
            const espeak_ERROR err =
                lib_->engine.synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0,
                                   espeakCHARS_UTF8, nullptr, nullptr);
            playing = nullptr;
            if (r.cancelled.load()) {
                audio_->discard();
                return false;
            }
            if (p.failed) return fail(r);
            if (err != EE_OK) {
                r.failure = QStringLiteral("espeak-ng refused the text (%1)").arg(int(err));
                return false;
            }
        }
        return audio_->finish() || fail(r);
    }

    bool fail(SpeechRequest& r) {
        r.failure = audio_->error();
        return false;
    }

    // A voice the engine does not have keeps the one in use (false).
    bool use(const QByteArray& file) {
        if (currentSet_ && file == current_) return true;
        const SpeechLibrary::Engine& es = lib_->engine;
        const espeak_ERROR err =
            file.isEmpty() ? es.setVoiceByName(kMandarin) : es.setVoiceByFile(file.constData());
        if (err != EE_OK) return false;
        current_ = file;
        currentSet_ = true;
        return true;
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<SpeechRequest>> queue_;
    std::unique_ptr<SpeechLibrary> lib_;
    std::unique_ptr<SpeechAudio> audio_;
    QByteArray current_;
    bool currentSet_ = false;
};

Engine* engine() {
    static Engine* e = [] {
        auto* s = new Engine;
        s->initialise();
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
    auto r = std::make_shared<SpeechRequest>();
    for (const QString& t : texts)
        if (!t.trimmed().isEmpty()) r->texts << prepareSpeechText(t).toUtf8();
    if (r->texts.isEmpty()) {
        if (done) done(true);
        return true;
    }
    r->voiceFile = voiceFile_;
    request_ = r;
    done_ = std::move(done);
    engine()->submit(std::move(r));
    poll_.start();
    return true;
}

void EspeakSpeech::poll() {
    const int outcome = request_ ? request_->outcome.load() : SpeechRequest::Failed;
    if (outcome == SpeechRequest::Pending) return;
    poll_.stop();
    if (outcome == SpeechRequest::Failed && request_)
        qCInfo(lcSpeech).noquote() << "sound output failed:" << request_->failure;
    request_.reset();
    Done done = std::exchange(done_, nullptr);
    if (done) done(outcome == SpeechRequest::Played);
}

void EspeakSpeech::cancel() {
    poll_.stop();
    done_ = nullptr;
    if (!request_) return;
    request_->cancelled.store(true);
    request_.reset();
}
