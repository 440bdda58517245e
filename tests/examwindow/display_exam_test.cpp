// SPDX-License-Identifier: GPL-3.0-or-later
// Study opens the mock exam from its menu and the key E, one window at a
// time, and its display waits while the window is open.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "platform/settingsstore.h"
#include "platform/speech.h"
#include "study/picturezoom.h"
#include "study/questionpicture.h"
#include "study/studyapp.h"
#include "tests/examwindow/examwindowfixture.h"

namespace {
struct StudyWithExam : ExamWindowFixture {
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<StudyApp> app;
    StudyWithExam() : ExamWindowFixture(2, 2, 0) {
        {
            SettingsStore s;
            s.write(QStringLiteral("xxx"), QStringLiteral("1"));
            s.write(QStringLiteral("voice"), QStringLiteral("0"));
        }
        store = std::make_unique<SettingsStore>();
        app = std::make_unique<StudyApp>(*store, [] { return std::make_unique<SilentSpeech>(); });
        app->main().setTerminator([] {});
        app->start();
    }
    ~StudyWithExam() { app.reset(); }
    QuestionWindow& display() { return app->main(); }
};

QStringList menuNames(QMenu* m) {
    QStringList names;
    for (QAction* a : m->actions()) names << a->objectName();
    return names;
}
}  // namespace

TEST(StudyOpensTheExam, FromTheMenuJustAboveTheExitGroupAndByE) {
    StudyWithExam f;
    const QStringList names = menuNames(f.display().mnumain());
    const int explain = names.indexOf("mnuexplain");
    ASSERT_GE(explain, 0);
    EXPECT_LT(explain, names.indexOf("mnuexam"));
    EXPECT_LT(names.indexOf("mnuexam"), names.indexOf("link3"));
    EXPECT_EQ(names.last(), "mnuquit");
    auto* entry = f.display().mnumain()->findChild<QAction*>("mnuexam");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), "模拟考试(&K)");

    ASSERT_TRUE(f.display().cycle().isRunning());
    entry->trigger();
    QPointer<MockExamWindow> exam = f.app->exam();
    ASSERT_NE(exam, nullptr);
    EXPECT_TRUE(exam->isVisible());
    EXPECT_EQ(exam->parent(), nullptr) << "a window of its own, not stacked on the display";
    EXPECT_FALSE(f.display().cycle().isRunning()) << "the display waits";

    QTest::keyClick(&f.display(), Qt::Key_E);
    EXPECT_EQ(f.app->exam(), exam.data()) << "a second use brings the same window forward";

    exam->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return exam.isNull(); }, 3000)) << "closed is released";
    EXPECT_TRUE(f.display().cycle().isRunning()) << "the display goes on";
    QTest::keyClick(&f.display(), Qt::Key_E);
    ASSERT_NE(f.app->exam(), nullptr);
    EXPECT_NE(f.app->exam(), exam.data());
}

TEST(StudyOpensTheExam, ALearnersPauseOutlastsTheExam) {
    StudyWithExam f;
    f.display().togglePause();
    ASSERT_FALSE(f.display().cycle().isRunning());
    QTest::keyClick(&f.display(), Qt::Key_E);
    QPointer<MockExamWindow> exam = f.app->exam();
    ASSERT_NE(exam, nullptr);
    exam->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return exam.isNull(); }, 3000));
    EXPECT_FALSE(f.display().cycle().isRunning()) << "paused by the learner, still paused";
}

TEST(StudyOpensTheExam, AZoomClosedMeanwhileDoesNotRunTheDisplay) {
    StudyWithExam f;
    for (int i = 0; i < 40 && !f.display().picture()->shown(); ++i) f.display().stepByKey(1);
    ASSERT_TRUE(f.display().picture()->shown());
    f.display().zoomPicture();
    ASSERT_TRUE(f.display().zoom()->isOpen());
    ASSERT_FALSE(f.display().cycle().isRunning());
    QTest::keyClick(&f.display(), Qt::Key_E);
    QPointer<MockExamWindow> exam = f.app->exam();
    ASSERT_NE(exam, nullptr);
    f.display().zoom()->hide();
    EXPECT_FALSE(f.display().cycle().isRunning()) << "the exam is still open";
    exam->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return exam.isNull(); }, 3000));
    EXPECT_TRUE(f.display().cycle().isRunning());
}
