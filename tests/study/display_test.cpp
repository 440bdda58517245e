// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QScreen>

#include "platform/widgets/twips.h"
#include "questionbank/recordset.h"
#include "tests/study/studyfixture.h"

TEST(DisplayCycle, ThreeRecordsWrapAfterTheLast) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"guageword", "1"}, {"voice", "0"}});
    QuestionWindow& w = f.start();
    EXPECT_EQ(w.cycle().stepTimer()->interval(), 7000);
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
    QStringList seen{f.shownQuestion()};
    for (int i = 0; i < 4; ++i) {
        w.cycle().onStepTimer();
        seen << f.shownQuestion();
    }
    EXPECT_EQ(seen, QStringList({"问题1", "问题2", "问题3", "问题1", "问题2"}));
    EXPECT_EQ(w.LB()->text(), "问题2  (后面为答案）  答案2");
}

TEST(DisplayCycle, OneRecordIsShownAndSpokenOnEveryTick) {
    StudyFixture f;
    f.env.makeBank({{"交通信号", "唯一", "答"}});
    f.settings({{"guageword", "2"}});
    QuestionWindow& w = f.start();
    EXPECT_TRUE(f.speech.spoken.isEmpty()) << "the record shown at open is not spoken";
    w.cycle().onStepTimer();
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "唯一");
    EXPECT_EQ(f.speech.spoken, QStringList({"唯一", "唯一"}));
}

TEST(DisplayCycle, EmptySetSkipsTheTickAndStaysEmpty) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"guageword", "5"}});
    QuestionWindow& w = f.start();
    w.cycle().onStepTimer();
    EXPECT_EQ(w.LB()->text(), QString());
    EXPECT_TRUE(f.speech.spoken.isEmpty());
}

TEST(DisplayCycle, MissingBankGivesMessageAndEmptyDisplay) {
    StudyFixture f;
    QuestionWindow& w = f.start();
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.contains("reg.ocx"));
    w.cycle().onStepTimer();
    EXPECT_EQ(w.LB()->text(), QString());
}

struct SpeechCase {
    const char* voice;
    const char* isnoSpeak;
    QStringList spoken;
};

TEST(DisplaySpeech, VoiceAndAnswerSettings) {
    const std::vector<SpeechCase> cases = {
        {"1", "0", {"问题2"}},
        {"1", "1", {"问题2", "答案2"}},
        {"0", "1", {}},
        {"2", "0", {}},
    };
    for (const SpeechCase& c : cases) {
        StudyFixture f;
        f.env.makeBank(threeQuestions());
        f.settings({{"voice", c.voice}, {"isnoSpeak", c.isnoSpeak}});
        QuestionWindow& w = f.start();
        w.cycle().onStepTimer();
        EXPECT_EQ(f.speech.spoken, c.spoken) << "voice " << c.voice << " isnoSpeak " << c.isnoSpeak;
    }
}

TEST(DisplaySpeech, ChineseVoiceChosenByExactDescription) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.voices = {"microsoft simplified chinese", "Mandarin", "Microsoft Simplified Chinese",
                "Microsoft Simplified Chinese"};
    QuestionWindow& w = f.start();
    EXPECT_EQ(f.speech.selected, QList<int>({2}));
    w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.selected, QList<int>({2, 2}));
    f.voices = {"Mandarin"};
    w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.selected.size(), 2) << "without a match the default voice stays";
    EXPECT_EQ(f.speech.spoken.size(), 2);
}

TEST(AdjustSize, ShortTextGetsTheMinimumWidth) {
    StudyFixture f;
    f.env.makeBank({{"交通安全法律", "短", "是"}});
    QuestionWindow& w = f.start();
    // Every record carries the marker, which alone nearly fills the minimum
    // at 12 points; a caption without it (like the colour sample) is short.
    w.LB()->setText(QStringLiteral("短"));
    w.fitToText();
    EXPECT_EQ(w.LB()->width(), Twips::toPixels(2100));
    EXPECT_EQ(w.width(), Twips::toPixels(2100) + Twips::toPixels(200));
    EXPECT_EQ(w.height(), w.LB()->height() + Twips::toPixels(200));
    EXPECT_EQ(w.LB()->pos(), QPoint(Twips::toPixels(60), Twips::toPixels(80)));
    // The minimum grows with the font, so a short text keeps its shape.
    QFont big = w.LB()->font();
    big.setPointSize(24);
    w.LB()->setFont(big);
    w.fitToText();
    EXPECT_EQ(w.LB()->width(), Twips::toPixels(4200));
}

TEST(AdjustSize, LargeFontsDoNotMakeAColumn) {
    StudyFixture f;
    f.env.makeBank({{"交通安全法律", "短", "是"}});
    f.settings({{"FontSizeNumber", "55"}});
    QuestionWindow& w = f.start();
    // One line at 12 points stays one line at 55.
    const QFontMetrics fm(w.LB()->font());
    EXPECT_LT(w.LB()->height(), 2 * fm.height());
    EXPECT_GE(w.LB()->width(), fm.horizontalAdvance(w.LB()->text()));
}

TEST(AdjustSize, LongTextIsSpreadOverLinesAndWraps) {
    StudyFixture f;
    const QString longQ = QString(QStringLiteral("机动车在道路上行驶时应当遵守交通规则")).repeated(10);
    f.env.makeBank({{"交通安全法律", longQ, QStringLiteral("是")}});
    QuestionWindow& w = f.start();
    const QFontMetrics fm(w.LB()->font());
    EXPECT_GT(w.LB()->width(), Twips::toPixels(2100));
    EXPECT_LT(w.LB()->width(), fm.horizontalAdvance(w.LB()->text()));
    EXPECT_GT(w.LB()->height(), fm.height() * 2);
    EXPECT_EQ(w.height(), w.LB()->height() + Twips::toPixels(200));
}

TEST(AdjustSize, WindowIsKeptOnTheScreenHorizontally) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    const QRect screen = w.screen()->geometry();
    w.move(screen.right() - 20, 300);
    w.fitToText();
    EXPECT_EQ(w.frameGeometry().right(), screen.right());
    EXPECT_EQ(w.y(), 300);
    w.move(-50, 40);
    w.fitToText();
    EXPECT_EQ(w.x(), 0);
    EXPECT_EQ(w.y(), 40);
}

TEST(WindowSettings, ColoursAndSizeAppliedAtLoad) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"txtColor", "255"}, {"formColor", "11230520"}, {"FontSizeNumber", "20"}, {"ontopword", "0"}});
    QuestionWindow& w = f.start();
    EXPECT_EQ(w.LB()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(56, 93, 171));
    EXPECT_EQ(w.LB()->font().pointSize(), 20);
    EXPECT_EQ(w.LB()->font().family(), "Arial");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.windowTitle().isEmpty());
}

TEST(WindowSettings, FirstRunLookIsTheDesignedOne) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.LB()->palette().color(QPalette::WindowText), w.palette().color(QPalette::HighlightedText));
    EXPECT_EQ(w.LB()->font().pointSize(), 12);
    EXPECT_EQ(f.store->read("txtColor"), "-2147483634");
}
