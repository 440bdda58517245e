// SPDX-License-Identifier: GPL-3.0-or-later
// Measures spoken audio for the end-to-end speech test.
//   speechprobe synth TEXT...   the engine's own synthesis of the texts, one
//                               after another, as prepared for speaking
//   speechprobe span FILE RATE  a recording: raw signed 16-bit mono samples
// Both print the time in milliseconds from the first to the last audible
// sample, then the whole length.
#include <espeak-ng/speak_lib.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/speechtext.h"

namespace {
constexpr int kAudible = 300;  // of 32767: well above the null sink's silence
std::vector<short> samples;

int collect(short* wav, int n, espeak_EVENT*) {
    if (wav) samples.insert(samples.end(), wav, wav + n);
    return 0;
}

void report(const short* s, size_t n, int rate) {
    size_t first = n, last = 0;
    for (size_t i = 0; i < n; ++i) {
        if (std::abs(s[i]) < kAudible) continue;
        if (first == n) first = i;
        last = i;
    }
    const long span = first == n ? 0 : long((last - first + 1) * 1000 / rate);
    std::printf("%ld %ld\n", span, long(n * 1000 / rate));
}
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "synth") == 0) {
        const int rate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate <= 0 || espeak_SetVoiceByName("cmn-latn-pinyin") != EE_OK) return 2;
        espeak_SetSynthCallback(collect);
        for (int i = 2; i < argc; ++i) {
            const QByteArray t = prepareSpeechText(QString::fromUtf8(argv[i])).toUtf8();
            espeak_Synth(t.constData(), t.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                         nullptr, nullptr);
        }
        report(samples.data(), samples.size(), rate);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "span") == 0) {
        QFile f(QString::fromLocal8Bit(argv[2]));
        if (!f.open(QIODevice::ReadOnly)) return 2;
        const QByteArray raw = f.readAll();
        report(reinterpret_cast<const short*>(raw.constData()), size_t(raw.size()) / 2,
               std::atoi(argv[3]));
        return 0;
    }
    std::fprintf(stderr, "usage: speechprobe synth TEXT... | span FILE RATE\n");
    return 1;
}
