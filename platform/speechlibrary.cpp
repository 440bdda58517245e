// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speechlibrary.h"

#include <dlfcn.h>

namespace {
// One opened library and the first thing that went wrong with it.
class Opened {
public:
    explicit Opened(const char* name) : name_(name) {
        // Every function at once, like the immediate binding the programs
        // are linked with: a broken library fails here, not mid-sentence.
        handle_ = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (!handle_) fail(QStringLiteral("%1 cannot be loaded").arg(QString::fromLocal8Bit(name)));
    }
    // Closed unless kept: nothing in it has run but its constructors.
    ~Opened() {
        if (handle_ && !kept_) dlclose(handle_);
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

    template <typename Function>
    void find(Function& out, const char* symbol) {
        if (!handle_) return;
        out = reinterpret_cast<Function>(dlsym(handle_, symbol));
        if (!out)
            fail(QStringLiteral("%1 lacks %2")
                     .arg(QString::fromLocal8Bit(name_), QString::fromLatin1(symbol)));
    }

    bool ok() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    void keep() { kept_ = true; }

private:
    // The loader's own words name the file and what is wrong with it.
    void fail(const QString& fallback) {
        const char* detail = dlerror();
        if (!error_.isEmpty()) return;
        error_ = detail ? QString::fromLocal8Bit(detail) : fallback;
    }

    const char* name_;
    void* handle_ = nullptr;
    bool kept_ = false;
    QString error_;
};
}  // namespace

std::unique_ptr<SpeechLibrary> SpeechLibrary::load(Names names, QString* why) {
    std::unique_ptr<SpeechLibrary> lib(new SpeechLibrary);
    Opened engine(names.engine);
    Engine& e = lib->engine;
    engine.find(e.initialize, "espeak_Initialize");
    engine.find(e.setSynthCallback, "espeak_SetSynthCallback");
    engine.find(e.listVoices, "espeak_ListVoices");
    engine.find(e.setVoiceByName, "espeak_SetVoiceByName");
    engine.find(e.setVoiceByFile, "espeak_SetVoiceByFile");
    engine.find(e.synth, "espeak_Synth");

    Opened sound(names.sound);
    Sound& s = lib->sound;
    sound.find(s.create, "create_audio_device_object");
    sound.find(s.open, "audio_object_open");
    sound.find(s.write, "audio_object_write");
    sound.find(s.drain, "audio_object_drain");
    sound.find(s.flush, "audio_object_flush");
    sound.find(s.strerror, "audio_object_strerror");
    sound.find(s.close, "audio_object_close");
    sound.find(s.destroy, "audio_object_destroy");

    if (!engine.ok() || !sound.ok()) {
        if (why) *why = engine.ok() ? sound.error() : engine.error();
        return nullptr;
    }
    engine.keep();
    sound.keep();
    return lib;
}
