// SPDX-License-Identifier: GPL-3.0-or-later
// The speech libraries are opened by the program when speech is wanted: a
// program linked with the platform layer does not map them at start, a
// missing or wrong library is reported (the caller then stays silent), and
// the machine's own libraries give every function the engine calls.
#include <gtest/gtest.h>

#include <QFile>

#include "platform/speechlibrary.h"

namespace {
bool mapped(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) ADD_FAILURE() << "cannot read /proc/self/maps";
    return maps.readAll().contains(library);
}
}  // namespace

TEST(SpeechLibrary, NotMappedUntilLoaded) {
    EXPECT_FALSE(mapped("libespeak-ng.so"));
    EXPECT_FALSE(mapped("libpcaudio.so"));
}

TEST(SpeechLibrary, MissingOrWrongLibraryIsReportedNotFatal) {
    const struct {
        SpeechLibrary::Names names;
        const char* named;  // in the reason
    } cases[] = {
        {{"libquillmere-no-such-engine.so.1", SpeechLibrary::kSystem.sound},
         "libquillmere-no-such-engine.so.1"},
        {{SpeechLibrary::kSystem.engine, "libquillmere-no-such-sound.so.0"},
         "libquillmere-no-such-sound.so.0"},
        // Loads, but is not the engine: the first function it lacks is named.
        {{"libc.so.6", SpeechLibrary::kSystem.sound}, "espeak_Initialize"},
        {{SpeechLibrary::kSystem.engine, "libc.so.6"}, "create_audio_device_object"},
    };
    for (const auto& c : cases) {
        QString why;
        EXPECT_EQ(SpeechLibrary::load(c.names, &why), nullptr) << c.named;
        EXPECT_TRUE(why.contains(QLatin1String(c.named))) << why.toStdString();
        EXPECT_EQ(SpeechLibrary::load(c.names, nullptr), nullptr) << c.named;
    }
}

TEST(SpeechLibrary, MachineLibrariesGiveEveryFunction) {
    QString why;
    const auto lib = SpeechLibrary::load(SpeechLibrary::kSystem, &why);
    ASSERT_NE(lib, nullptr) << why.toStdString();
    EXPECT_TRUE(why.isEmpty());
    const SpeechLibrary::Engine& e = lib->engine;
    for (const void* f :
         {(const void*)e.initialize, (const void*)e.setSynthCallback, (const void*)e.listVoices,
          (const void*)e.setVoiceByName, (const void*)e.setVoiceByFile, (const void*)e.synth})
        EXPECT_NE(f, nullptr);
    const SpeechLibrary::Sound& s = lib->sound;
    for (const void* f : {(const void*)s.create, (const void*)s.open, (const void*)s.write,
                          (const void*)s.drain, (const void*)s.flush, (const void*)s.strerror,
                          (const void*)s.close, (const void*)s.destroy})
        EXPECT_NE(f, nullptr);
    EXPECT_TRUE(mapped("libespeak-ng.so"));
    EXPECT_TRUE(mapped("libpcaudio.so"));
}
