// SPDX-License-Identifier: GPL-3.0-or-later
// The display makes a voice, and so starts the speech engine, only when
// speech is on: with it off, neither the load, the ticks nor a reload make one.
#include <gtest/gtest.h>

#include "tests/study/studyfixture.h"

TEST(VoiceOnUse, SpeechOffMakesNoVoiceAtLoadTickOrReload) {
    for (const char* off : {"0", "2", "-1"}) {
        StudyFixture f;
        f.env.makeBank(threeQuestions());
        f.settings({{"voice", off}, {"isnoSpeak", "1"}});
        QuestionWindow& w = f.start();
        for (int i = 0; i < 3; ++i) w.cycle().onStepTimer();
        w.reload();
        w.cycle().onStepTimer();
        EXPECT_EQ(f.speech.created, 0) << "voice=" << off;
        EXPECT_TRUE(f.speech.spoken.isEmpty()) << "voice=" << off;
    }
}

TEST(VoiceOnUse, SpeechOnMakesTheVoiceAtLoadAndBeforeEachSpokenStep) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"voice", "1"}, {"isnoSpeak", "0"}});
    QuestionWindow& w = f.start();
    EXPECT_EQ(f.speech.created, 1);
    EXPECT_EQ(f.speech.selected, QList<int>({1})) << "the Chinese voice is chosen at load";
    w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.created, 2);
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2"}));
}
