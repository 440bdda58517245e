// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speechaudio.h"

#include <pcaudiolib/audio.h>

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
    out_ = create_audio_device_object(nullptr, kClient, kStream);
    if (!out_) {
        error_ = QStringLiteral("no sound output");
        return false;
    }
    if (!check(audio_object_open(out_, AUDIO_OBJECT_FORMAT_S16LE, uint32_t(sampleRate), 1)))
        return false;
    rate_ = sampleRate;
    return true;
}

bool SpeechAudio::write(const short* samples, int count) {
    if (!out_) return false;
    if (count <= 0) return true;
    return check(audio_object_write(out_, samples, size_t(count) * sizeof(short)));
}

bool SpeechAudio::finish() {
    if (!out_) return false;
    return check(audio_object_drain(out_));
}

void SpeechAudio::discard() {
    if (out_ && audio_object_flush(out_) != 0) close();
}

bool SpeechAudio::check(int code) {
    if (code == 0) return true;
    const char* why = out_ ? audio_object_strerror(out_, code) : nullptr;
    error_ = why ? QString::fromLocal8Bit(why) : QStringLiteral("error %1").arg(code);
    close();
    return false;
}

void SpeechAudio::close() {
    if (!out_) return;
    audio_object_close(out_);
    audio_object_destroy(out_);
    out_ = nullptr;
    rate_ = 0;
}
