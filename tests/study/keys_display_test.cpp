// SPDX-License-Identifier: GPL-3.0-or-later
// Space, Right, Left, F1 and H on the display: pause like the menu entry, a
// step either way that starts the interval again, the help page, and answers
// shown after half a step, kept in a key of its own.
#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QMenu>
#include <QSettings>

#include "platform/widgets/twips.h"
#include "study/settingsrecord.h"
#include "tests/study/keysfixture.h"

namespace {
QAction* stopEntry(QuestionWindow& w) {
    return w.mnumain()->findChild<QAction*>("mnustop");
}

// The settings file as key -> value.
QMap<QString, QString> settingsFile(const StudyFixture& f) {
    QSettings s(f.env.settingsFile(), QSettings::IniFormat);
    QMap<QString, QString> out;
    for (const QString& k : s.allKeys()) out.insert(k, s.value(k).toString());
    return out;
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& u) { urls << u; }
};
}  // namespace

TEST(KeysDisplay, SpacePausesAndContinuesLikeTheMenuEntry) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    f.key(Qt::Key_Space);
    EXPECT_FALSE(w.cycle().stepTimer()->isActive());
    EXPECT_EQ(stopEntry(w)->text(), "继续(&C)");
    EXPECT_EQ(f.note(), "已暂停");
    f.key(Qt::Key_Space);
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
    EXPECT_EQ(stopEntry(w)->text(), "暂停(&P)");
    // After a reload the caption still says continue; Space then only sets it back.
    f.key(Qt::Key_Space);
    w.reload();
    f.key(Qt::Key_Space);
    EXPECT_EQ(stopEntry(w)->text(), "暂停(&P)");
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
}

TEST(KeysDisplay, RightAndLeftStepNowAndStartTheIntervalAgain) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"ctimeword", "3"}, {"voice", "1"}});
    QuestionWindow& w = f.start();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w.cycle().stepTimer()->remainingTime() < 2500; }, 5000));
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.shownQuestion(), "问题2");
    EXPECT_GT(w.cycle().stepTimer()->remainingTime(), 2800) << "the step starts again from the key";
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2"})) << "spoken as a tick is";
    f.key(Qt::Key_Left);
    EXPECT_EQ(f.shownQuestion(), "问题1");
    f.key(Qt::Key_Left);
    EXPECT_EQ(f.shownQuestion(), "问题3") << "before the first comes the last";
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.shownQuestion(), "问题1");
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "问题1", "问题3", "问题1"}));
    // Paused, a step stays paused.
    f.key(Qt::Key_Space);
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.shownQuestion(), "问题2");
    EXPECT_FALSE(w.cycle().stepTimer()->isActive());
}

TEST(KeysDisplay, ArrowsDuringSpeechStopItAndStepAtOnce) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"voice", "1"}});
    f.speech.hold = true;
    QuestionWindow& w = f.start();
    f.key(Qt::Key_Right);
    ASSERT_TRUE(w.cycle().isSpeaking());
    EXPECT_EQ(f.shownQuestion(), "问题2");
    // Every press is one step, now, and the record left is no longer read.
    const char* back[] = {"问题1", "问题3", "问题2", "问题1", "问题3"};
    for (int i = 0; i < 5; ++i) {
        f.key(Qt::Key_Left);
        EXPECT_EQ(f.shownQuestion(), back[i]) << i;
        EXPECT_EQ(f.speech.cancelled, i + 1) << "the old record's speech stops";
        EXPECT_TRUE(w.cycle().isSpeaking()) << "the new record is spoken";
    }
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "问题1", "问题3", "问题2", "问题1", "问题3"}));
    // A tick still waits for the end of the speech, then runs at once.
    w.cycle().onStepTimer();
    EXPECT_EQ(f.shownQuestion(), "问题3");
    ASSERT_TRUE(f.speech.finish());
    EXPECT_EQ(f.shownQuestion(), "问题1");
    // A key stops the speech and the tick that waited for it: one step only.
    w.cycle().onStepTimer();
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.shownQuestion(), "问题2");
    ASSERT_TRUE(f.speech.finish());
    EXPECT_FALSE(f.speech.finish()) << "nothing else was due";
    EXPECT_EQ(f.shownQuestion(), "问题2");
}

TEST(KeysDisplay, F1OpensTheHelpPage) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    f.start();
    f.key(Qt::Key_F1);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_TRUE(catcher.urls[0].toLocalFile().endsWith("/help.html"));
}

TEST(KeysDisplay, ClickGivesTheWindowTheKeys) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    QApplication::setActiveWindow(&w);
    w.clearFocus();
    QTest::mouseClick(w.LB(), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), &w);
    QTest::mouseClick(w.LB(), Qt::RightButton);
    EXPECT_TRUE(w.mnumain()->isVisible()) << "the menu still opens";
    w.mnumain()->hide();
}

TEST(KeysDisplay, HShowsTheAnswerAfterHalfTheStep) {
    KeysFixture f;
    f.env.makeBank(
        {{"交通安全法律", "短", QString(60, QChar(0x957F))}, {"交通安全法律", "问二", "答二"}});
    f.settings({{"ctimeword", "1"}, {"voice", "1"}, {"isnoSpeak", "1"}});
    QuestionWindow& w = f.start();
    w.cycle().stepTimer()->stop();  // the test steps by hand
    f.key(Qt::Key_H);
    EXPECT_EQ(f.note(), "稍后显示答案：开");
    EXPECT_FALSE(w.cycle().answerHidden()) << "the shown step is left as it is";
    f.key(Qt::Key_Right);
    EXPECT_TRUE(w.cycle().answerHidden());
    EXPECT_EQ(w.LB()->text(), QuestionWindow::displayText("问二", QString()))
        << "question and marker, no answer";
    EXPECT_EQ(f.speech.spoken, QStringList({"问二"})) << "the question with the question";
    EXPECT_EQ(w.cycle().revealTimer()->interval(), 500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.cycle().answerHidden(); }, 3000));
    EXPECT_EQ(w.LB()->text(), QuestionWindow::displayText("问二", "答二"));
    EXPECT_EQ(f.speech.spoken, QStringList({"问二", "答二"})) << "the answer with the answer";
    // The window sizes to the text at both moments.
    f.key(Qt::Key_Right);
    const QSize hidden = w.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.cycle().answerHidden(); }, 3000));
    EXPECT_GT(w.size().height() * w.size().width(), hidden.height() * hidden.width());
    EXPECT_EQ(w.height(), w.LB()->height() + Twips::toPixels(200))
        << "the window hugs the shown text";
    // Off: as before, answer with the question.
    f.key(Qt::Key_H);
    f.key(Qt::Key_Right);
    EXPECT_FALSE(w.cycle().answerHidden());
    EXPECT_EQ(w.LB()->text(), QuestionWindow::displayText("问二", "答二"));
    EXPECT_FALSE(w.cycle().revealTimer()->isActive());
}

TEST(KeysDisplay, HWithSpeechStillGoingNeitherCutsNorPilesUp) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"ctimeword", "1"}, {"voice", "1"}, {"isnoSpeak", "1"}, {"delayword", "1"}});
    f.speech.hold = true;
    QuestionWindow& w = f.start();
    w.cycle().stepTimer()->stop();
    EXPECT_TRUE(w.cycle().answerHidden()) << "the first record too shows its answer later";
    w.cycle().onStepTimer();
    ASSERT_TRUE(w.cycle().isSpeaking());
    // The reveal and two ticks fall due while the question is spoken.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.cycle().answerHidden(); }, 3000));
    EXPECT_EQ(w.LB()->text(), QuestionWindow::displayText("问题2", "答案2"))
        << "the answer is shown on time";
    w.cycle().onStepTimer();
    w.cycle().onStepTimer();
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2"}));
    ASSERT_TRUE(f.speech.finish());
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "答案2"}))
        << "the answer follows the question";
    EXPECT_EQ(f.shownQuestion(), "问题2") << "the due step waits for the answer too";
    ASSERT_TRUE(f.speech.finish());
    EXPECT_EQ(f.shownQuestion(), "问题3");
    EXPECT_EQ(f.speech.spoken, QStringList({"问题2", "答案2", "问题3"}));
    // A new step before the reveal drops the old answer's speech.
    w.cycle().stepTimer()->stop();
    ASSERT_TRUE(f.speech.finish());
    EXPECT_TRUE(w.cycle().answerHidden());
    f.key(Qt::Key_Right);
    ASSERT_TRUE(f.speech.finish());
    EXPECT_EQ(f.speech.spoken.last(), "问题1");
    EXPECT_FALSE(f.speech.finish());
}

TEST(KeysDisplay, HHoldsAcrossReloadAndRestartInAKeyOfItsOwn) {
    KeysFixture f;
    f.env.makeBank(threeQuestions());
    f.start();  // a clean profile: seeded
    const auto seeded = settingsFile(f);
    ASSERT_EQ(seeded.size(), 27);
    f.key(Qt::Key_H);
    auto after = settingsFile(f);
    EXPECT_EQ(after.value("delayword"), "1");
    after.remove("delayword");
    EXPECT_EQ(after, seeded) << "the 27 seeded values stay as they were";
    f.frm->reload();
    EXPECT_TRUE(f.frm->cycle().answerHidden()) << "a reload keeps the choice";
    // The options dialog's saving writes its eleven keys and leaves this one alone.
    SettingsRecord r = f.frm->settings();
    r.delayword = 0;
    SettingsTable::save(*f.store, r);
    EXPECT_EQ(settingsFile(f).value("delayword"), "1");
    EXPECT_EQ(settingsFile(f).size(), 28);
    // A restart keeps it too.
    f.frm.reset();
    f.start();
    EXPECT_TRUE(f.frm->cycle().answerHidden());
    f.key(Qt::Key_H);
    EXPECT_EQ(settingsFile(f).value("delayword"), "0");
    f.frm->reload();
    EXPECT_FALSE(f.frm->cycle().answerHidden());
}

TEST(KeysDisplay, AnAbsentOrBadValueMeansOff) {
    for (const char* bad : {"2", "abc", "-1", "", "1.5"}) {
        KeysFixture f;
        f.env.makeBank(threeQuestions());
        f.settings({{"delayword", bad}});
        f.start();
        EXPECT_FALSE(f.frm->cycle().answerHidden()) << bad;
        EXPECT_EQ(f.frm->settings().delayword, 0) << bad;
        f.key(Qt::Key_H);
        EXPECT_EQ(f.frm->settings().delayword, 1) << bad;
    }
}

#include "keys_display_test.moc"
