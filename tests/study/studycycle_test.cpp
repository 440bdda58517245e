// SPDX-License-Identifier: GPL-3.0-or-later
// The display cycle on its own: start, ticks, speech, pause, reload and
// answers shown later.
#include "tests/study/cyclefixture.h"

using namespace cycletest;

TEST(StudyCycle, StartShowsTheFirstRecordUnspokenAndRunsTheTimer) {
    Cycle c;
    StudyCycle& s = c.start();
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(s.shownAnswer(), "答1");
    EXPECT_EQ(c.recordsShown, 1);
    EXPECT_TRUE(c.speech.spoken.isEmpty());
    EXPECT_EQ(c.speech.created, 1);
    EXPECT_TRUE(s.stepTimer()->isActive());
    EXPECT_EQ(s.stepTimer()->interval(), 7000);
    EXPECT_EQ(s.stepTimer()->objectName(), "Timer6");
    EXPECT_EQ(s.pace(), Pace::Running);
    EXPECT_EQ(s.voice(), Voice::Quiet);
}

TEST(StudyCycle, TicksGoRoundTheSetAndSpeakEachRecord) {
    Cycle c;
    StudyCycle& s = c.start();
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        s.onStepTimer();
        shown << s.shownQuestion();
        ASSERT_EQ(s.voice(), Voice::Speaking);
        c.speech.finish();
        EXPECT_EQ(s.voice(), Voice::Quiet);
    }
    EXPECT_EQ(shown, texts({"问2", "问3", "问1", "问2"}));
    EXPECT_EQ(c.speech.spoken, texts({"问2", "问3", "问1", "问2"}));
    EXPECT_EQ(c.speech.created, 5) << "a new voice for every spoken step";
}

TEST(StudyCycle, WhatIsSpokenFollowsTheSettings) {
    Cycle c;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "答2"}));
    c.speech.finish();
    c.settings.speak = false;
    s.onStepTimer();
    EXPECT_EQ(s.shownQuestion(), "问3");
    EXPECT_EQ(c.speech.spoken.size(), 2) << "speech off: nothing more is spoken";
    EXPECT_EQ(s.voice(), Voice::Quiet);
}

TEST(StudyCycle, SpeechOffMakesNoVoiceUntilSpeechIsOn) {
    Cycle c;
    c.settings.speak = false;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.stepByKey(-1);
    s.reload([] {});
    s.onStepTimer();
    EXPECT_EQ(c.speech.created, 0) << "start, ticks, a key step and a reload make none";
    c.settings.speak = true;
    s.onStepTimer();
    EXPECT_EQ(c.speech.created, 1) << "the first spoken step makes the voice";
    EXPECT_EQ(c.speech.spoken, texts({"问3"}));
}

TEST(StudyCycle, AnEmptySetIsNeverMoved) {
    Cycle c(0);
    StudyCycle& s = c.start();
    EXPECT_FALSE(s.hasRecord());
    s.onStepTimer();
    s.stepByKey(-1);
    EXPECT_EQ(c.records.moves, 0);
    EXPECT_TRUE(c.speech.spoken.isEmpty());
    EXPECT_EQ(c.recordsShown, 1);
}

TEST(StudyCycle, TicksDuringSpeechWaitForItsEndAndDoNotPileUp) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    s.onStepTimer();
    EXPECT_EQ(s.voice(), Voice::SpeakingStepDue);
    EXPECT_EQ(s.shownQuestion(), "问2") << "the record stays while it is spoken";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问3") << "the waiting tick steps at once";
    EXPECT_EQ(s.voice(), Voice::Speaking);
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问3") << "only one tick waited";
    EXPECT_EQ(s.voice(), Voice::Quiet);
}

TEST(StudyCycle, AKeyStepStopsTheSpeechAndStepsAtOnce) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();  // due, but the key comes first
    s.stepByKey(-1);
    EXPECT_EQ(c.speech.cancelled, 1);
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(s.voice(), Voice::Speaking) << "the new record is spoken, no step waits";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问1");
    s.stepByKey(-1);
    EXPECT_EQ(s.shownQuestion(), "问3") << "back from the first goes round to the last";
}

TEST(StudyCycle, PauseIsTheCyclesOwnAndDropsAWaitingTick) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Paused);
    EXPECT_FALSE(s.isRunning());
    EXPECT_EQ(s.voice(), Voice::Speaking);
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问2") << "the tick due before the pause is dropped";
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Running);
    EXPECT_TRUE(s.isRunning());
}

TEST(StudyCycle, AReloadRunsAPausedCycleWithoutChangingTheChoice) {
    Cycle c;
    StudyCycle& s = c.start();
    s.togglePause();
    s.reload([] {});
    EXPECT_EQ(s.pace(), Pace::ResumedByReload);
    EXPECT_TRUE(s.isRunning());
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Running) << "the first choice after it only says so";
    EXPECT_TRUE(s.isRunning());
    s.togglePause();
    EXPECT_EQ(s.pace(), Pace::Paused);
}

TEST(StudyCycle, AReloadShowsTheFirstRecordUnspokenAndLetsTheVoiceFinish) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    c.records.at = 0;  // the reopened set stands on its first record
    c.settings.secondsPerStep = 3;
    s.reload([] {});
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(s.stepTimer()->interval(), 3000);
    EXPECT_EQ(s.voice(), Voice::Speaking) << "a waiting tick is dropped, the speech goes on";
    EXPECT_EQ(c.speech.created, 2) << "no new voice while one speaks";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
}

TEST(StudyCycle, AFailedSpeechSilencesTheCycleUntilTheNextReload) {
    Cycle c;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onStepTimer();
    c.speech.finish(false);
    EXPECT_EQ(s.voice(), Voice::Silenced);
    EXPECT_EQ(s.shownQuestion(), "问3") << "the cycle goes on";
    s.onStepTimer();
    EXPECT_EQ(s.shownQuestion(), "问1");
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
    s.reload([] {});
    EXPECT_EQ(s.voice(), Voice::Quiet);
    s.onStepTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "问2"}));
}

TEST(StudyCycle, ARefusedRequestCountsAsNotPlayed) {
    Cycle c;
    c.speech.refuse = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    EXPECT_EQ(s.voice(), Voice::Silenced);
    EXPECT_EQ(s.shownQuestion(), "问2");
}

TEST(StudyCycle, AnswerLaterHidesTheAnswerForHalfAStep) {
    Cycle c;
    c.settings.answerLater = true;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    EXPECT_EQ(s.answer(), Answer::Hidden) << "the first record too";
    EXPECT_EQ(s.shownAnswer(), "");
    EXPECT_EQ(s.revealTimer()->interval(), 3500);
    EXPECT_TRUE(s.revealTimer()->isActive());
    s.onRevealTimer();
    EXPECT_EQ(s.shownAnswer(), "答1");
    EXPECT_EQ(c.textsChanged, 1);
    EXPECT_TRUE(c.speech.spoken.isEmpty()) << "the unspoken first record's answer is not spoken";

    s.onStepTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
    EXPECT_EQ(s.answer(), Answer::HiddenToSpeak);
    s.onRevealTimer();  // while the question is spoken
    EXPECT_EQ(s.answer(), Answer::RevealedToSpeak);
    EXPECT_EQ(s.shownAnswer(), "答2");
    s.onStepTimer();
    c.speech.finish();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "答2"})) << "the answer after the question";
    EXPECT_EQ(s.voice(), Voice::SpeakingStepDue) << "the waiting tick waits for the answer too";
    c.speech.finish();
    EXPECT_EQ(s.shownQuestion(), "问3");

    c.speech.finish();
    s.onRevealTimer();  // the question's speech has ended: the answer is spoken now
    EXPECT_EQ(c.speech.spoken.last(), "答3");
}

TEST(StudyCycle, SwitchingAnswerLaterOffShowsAHiddenAnswerUnspoken) {
    Cycle c;
    c.settings.answerLater = true;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    c.speech.finish();
    c.settings.answerLater = false;
    s.answerLaterChanged();
    EXPECT_EQ(s.answer(), Answer::Shown);
    EXPECT_EQ(s.shownAnswer(), "答2");
    EXPECT_FALSE(s.revealTimer()->isActive());
    s.onRevealTimer();
    EXPECT_EQ(c.speech.spoken, texts({"问2"}));
}

TEST(StudyCycle, AKeyStepDropsAnAnswerWaitingToBeSpoken) {
    Cycle c;
    c.settings.answerLater = true;
    c.settings.speakAnswer = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.onRevealTimer();
    ASSERT_EQ(s.answer(), Answer::RevealedToSpeak);
    s.stepByKey(1);
    EXPECT_EQ(s.answer(), Answer::HiddenToSpeak) << "the new record hides its own answer";
    c.speech.finish();
    EXPECT_EQ(c.speech.spoken, texts({"问2", "问3"}));
}

TEST(StudyCycle, ShowingTheCurrentRecordAgainIsUnspoken) {
    Cycle c;
    StudyCycle& s = c.start();
    c.records.rows.erase(c.records.rows.begin());  // the list changed under the cycle
    s.showCurrent();
    EXPECT_EQ(s.shownQuestion(), "问2");
    EXPECT_EQ(c.recordsShown, 2);
    EXPECT_TRUE(c.speech.spoken.isEmpty());
    c.records.rows.clear();
    s.showCurrent();
    EXPECT_FALSE(s.hasRecord());
    EXPECT_EQ(s.shownQuestion(), "");
}

TEST(StudyCycle, StopEndsTimersAndSpeech) {
    Cycle c;
    c.settings.answerLater = true;
    StudyCycle& s = c.start();
    s.onStepTimer();
    s.stop();
    EXPECT_FALSE(s.stepTimer()->isActive());
    EXPECT_FALSE(s.revealTimer()->isActive());
    EXPECT_EQ(c.speech.cancelled, 1);
    EXPECT_EQ(s.voice(), Voice::Quiet);
    EXPECT_FALSE(c.speech.finish()) << "nothing is left to end";
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
