// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speechaudio.h"

namespace {
constexpr const char* kClient = "Quillmere";
constexpr const char* kStream = "speech";
}  // namespace

SpeechAudio::~SpeechAudio() {
    close();
}

bool SpeechAudio::start(int sampleRate) {
    if (out_ && rate_ == sampleRate) return true;
    close();
    // Looks for a sound output anew each time: a server that has gone away
    // and come back is found again.
    out_ = lib_.create(nullptr, kClient, kStream);
    if (!out_) {
        error_ = QStringLiteral("no sound output");
        return false;
    }
    if (!check(lib_.open(out_, AUDIO_OBJECT_FORMAT_S16LE, uint32_t(sampleRate), 1))) return false;
    rate_ = sampleRate;
    return true;
}

bool SpeechAudio::write(const short* samples, int count) {
    if (!out_) return false;
    if (count <= 0) return true;
    return check(lib_.write(out_, samples, size_t(count) * sizeof(short)));
}

bool SpeechAudio::finish() {
    if (!out_) return false;
    return check(lib_.drain(out_));
}

void SpeechAudio::discard() {
    if (out_ && lib_.flush(out_) != 0) close();
}

bool SpeechAudio::check(int code) {
    if (code == 0) return true;
    const char* why = out_ ? lib_.strerror(out_, code) : nullptr;
    error_ = why ? QString::fromLocal8Bit(why) : QStringLiteral("error %1").arg(code);
    close();
    return false;
}

void SpeechAudio::close() {
    if (!out_) return;
    lib_.close(out_);
    lib_.destroy(out_);
    out_ = nullptr;
    rate_ = 0;
}
