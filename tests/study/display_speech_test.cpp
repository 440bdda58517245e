// SPDX-License-Identifier: GPL-3.0-or-later
// The display keeps answering while it speaks: speech runs on after the tick,
// a tick that falls due meanwhile waits for its end and then moves at once,
// and ending the program stops the speech.
#include <gtest/gtest.h>

#include <QAction>
#include <QLoggingCategory>
#include <QMenu>

#include "tests/study/studyfixture.h"

namespace {
struct HeldSpeech : StudyFixture {
    QuestionWindow& startSpeaking(
        std::initializer_list<std::pair<const char*, const char*>> values = {{"voice", "1"},
                                                                             {"isnoSpeak", "1"}}) {
        env.makeBank(threeQuestions());
        settings(values);
        speech.hold = true;
        QuestionWindow& w = start();
        w.cycle().onStepTimer();
        return w;
    }
};

// Counts the lines of one logging category while it lives.
struct LogLines {
    static inline QStringList lines;
    QtMessageHandler previous;
    explicit LogLines(const char* rules) {
        lines.clear();
        QLoggingCategory::setFilterRules(QLatin1String(rules));
        previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext& c, const QString& m) {
                lines << QLatin1String(c.category) + QLatin1Char(' ') + m;
            });
    }
    ~LogLines() {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }
    static int count(const QString& part) {
        int n = 0;
        for (const QString& l : lines) n += l.contains(part) ? 1 : 0;
        return n;
    }
};
}  // namespace

TEST(DisplaySpeechTiming, TicksWhileSpeakingWaitThenOneStepRunsAtOnce) {
    HeldSpeech f;
    QuestionWindow& w = f.startSpeaking();
    EXPECT_EQ(f.shownQuestion(), "问题2");
    EXPECT_TRUE(w.cycle().isSpeaking()) << "speak() returned while the text is still being spoken";
    // Three ticks fall due while the record is spoken: none moves or cuts it.
    for (int i = 0; i < 3; ++i) w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "问题2");
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "答案2"}));
    EXPECT_EQ(f.speech.cancelled, 0);
    // The end of the speech moves one step at once; the ticks did not pile up.
    ASSERT_TRUE(f.speech.finish());
    EXPECT_EQ(f.shownQuestion(), "问题3");
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "答案2", "问题3", "答案3"}));
    ASSERT_TRUE(f.speech.finish());
    EXPECT_EQ(f.shownQuestion(), "问题3") << "only one waiting step";
    EXPECT_FALSE(w.cycle().isSpeaking());
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "问题1");
}

TEST(DisplaySpeechTiming, WindowAnswersTheMenuWhileSpeaking) {
    HeldSpeech f;
    QuestionWindow& w = f.startSpeaking();
    ASSERT_TRUE(w.cycle().isSpeaking());
    w.mouseDown(2);
    EXPECT_TRUE(w.mnumain()->isVisible());
    w.mnumain()->hide();
    EXPECT_EQ(f.speech.cancelled, 0);
}

TEST(DisplaySpeechTiming, PauseDropsTheWaitingTick) {
    HeldSpeech f;
    QuestionWindow& w = f.startSpeaking();
    w.cycle().onStepTimer();
    w.togglePause();  // pause while speaking
    EXPECT_EQ(f.speech.cancelled, 0) << "pause does not cut the speech short";
    f.speech.finish();
    EXPECT_EQ(f.shownQuestion(), "问题2");
    EXPECT_FALSE(w.cycle().stepTimer()->isActive());
}

TEST(DisplaySpeechTiming, ExitHandOverAndCloseEndAtOnceAndStopTheSpeech) {
    for (int way = 0; way < 3; ++way) {
        HeldSpeech f;
        QuestionWindow& w = f.startSpeaking();
        w.cycle().onStepTimer();  // a tick is waiting for the speech
        if (way == 0)
            w.quit();
        else if (way == 1)
            w.handOverToManager();
        else
            w.close();
        EXPECT_EQ(f.terminated, 1) << way;
        EXPECT_EQ(f.speech.cancelled, 1) << way;
        EXPECT_FALSE(w.cycle().isSpeaking()) << way;
        EXPECT_FALSE(w.cycle().stepTimer()->isActive()) << way;
        EXPECT_FALSE(f.speech.finish()) << "a cancelled request is not finished " << way;
        EXPECT_EQ(f.shownQuestion(), "问题2") << way;
    }
}

TEST(DisplaySpeechTiming, AFailureSilencesTheDisplayUntilTheNextReload) {
    LogLines log("study.speech=true");
    HeldSpeech f;
    QuestionWindow& w = f.startSpeaking({{"voice", "1"}, {"isnoSpeak", "0"}});
    w.cycle().onStepTimer();
    f.speech.finish(false);  // no sound device
    EXPECT_EQ(f.shownQuestion(), "问题3") << "a failure ends the speech like a success";
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2"}));
    for (int i = 0; i < 3; ++i) w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2"})) << "no further attempt before a reload";
    EXPECT_EQ(LogLines::count("silent until the next reload"), 1);
    w.reload();
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2"}))
        << "the record shown at reload is not spoken";
    w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "问题2"}));
}

TEST(DisplaySpeechTiming, ReloadWhileSpeakingLetsTheSpeechEndAndSpeaksNothingNew) {
    HeldSpeech f;
    QuestionWindow& w = f.startSpeaking();
    const int voices = f.speech.created;
    w.cycle().onStepTimer();
    w.reload();
    EXPECT_EQ(f.speech.created, voices) << "no voice change while the engine speaks";
    EXPECT_EQ(f.shownQuestion(), "问题1");
    f.speech.finish();
    EXPECT_EQ(f.shownQuestion(), "问题1") << "the reload restarted the timer: no tick is waiting";
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "答案2"}));
    w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.created, voices + 1);
    EXPECT_EQ(f.speech.spoken.mid(2), QStringList({"问题2", "答案2"}));
}
