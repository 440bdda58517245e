// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "platform/widgets/twips.h"
#include "study/aboutdialog.h"
#include "tests/study/studyfixture.h"

namespace {
QStringList captions(QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
QAction* action(QuestionWindow& w, const char* name) {
    return w.mnumain()->findChild<QAction*>(QLatin1String(name));
}
}  // namespace

TEST(Menu, EntriesInTheirOrder) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    EXPECT_EQ(captions(w.mnumain()),
              QStringList({"暂停(&P)", "选项(&O)...", "题目管理(&E)", "新题目管理(&N)", "帮助(&H)",
                           "-", "学车网站(&W)", "关于我们(&A)", "-", "显示解析(&S)",
                           "按记忆复习(&M)", "学习进度(&J)", "模拟考试(&K)", "-", "退出(&E)"}));
    for (const char* name : {"mnustop", "mnusetup", "amewords", "managewords", "mnuhelp",
                             "mnuwebsite", "aboutus", "mnuquit"})
        EXPECT_NE(action(w, name), nullptr) << name;
}

TEST(Menu, MouseButtonValues) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    w.mouseDown(3);
    EXPECT_FALSE(w.mnumain()->isVisible()) << "both buttons neither drag nor open the menu";
    w.mouseDown(4);
    EXPECT_FALSE(w.mnumain()->isVisible());
    QTest::mouseClick(w.LB(), Qt::RightButton);
    EXPECT_TRUE(w.mnumain()->isVisible()) << "right button on the label opens the menu";
    w.mnumain()->hide();
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_TRUE(w.mnumain()->isVisible());
    w.mnumain()->hide();
}

TEST(Menu, PauseIsDecidedByTheCaptionAndReloadRestartsTheCycle) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    QAction* stop = action(w, "mnustop");
    ASSERT_NE(stop, nullptr);
    stop->trigger();
    EXPECT_FALSE(w.cycle().stepTimer()->isActive());
    EXPECT_EQ(stop->text(), "继续(&C)");
    w.cycle().onStepTimer();  // a reload shows the first record again
    w.reload();
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
    EXPECT_EQ(stop->text(), "继续(&C)");
    EXPECT_EQ(f.shownQuestion(), "问题1");
    stop->trigger();
    EXPECT_EQ(stop->text(), "暂停(&P)");
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
}

TEST(Menu, ContinueAfterAReloadLeavesTheRunningCycleAlone) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.settings({{"ctimeword", "3"}});
    QuestionWindow& w = f.start();
    QAction* stop = action(w, "mnustop");
    ASSERT_NE(stop, nullptr);
    stop->trigger();
    w.reload();
    ASSERT_TRUE(w.cycle().stepTimer()->isActive());
    // Let part of the interval pass, then continue: the step stays due when
    // it was, not a full interval after the click.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w.cycle().stepTimer()->remainingTime() < 2500; }, 5000));
    const int before = w.cycle().stepTimer()->remainingTime();
    stop->trigger();
    EXPECT_EQ(stop->text(), "暂停(&P)");
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
    EXPECT_LE(w.cycle().stepTimer()->remainingTime(), before);
    // Continuing from a real pause starts the cycle again.
    stop->trigger();
    EXPECT_FALSE(w.cycle().stepTimer()->isActive());
    stop->trigger();
    EXPECT_TRUE(w.cycle().stepTimer()->isActive());
}

TEST(Menu, ExitAndSystemCloseEndWithoutSaving) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    const QByteArray before = readFile(f.env.settingsFile());
    action(w, "mnuquit")->trigger();
    EXPECT_EQ(f.terminated, 1);
    w.close();
    EXPECT_EQ(f.terminated, 2);
    EXPECT_EQ(readFile(f.env.settingsFile()), before);
}

TEST(Menu, HandOverEndsStudyEvenWithoutManager) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    action(w, "amewords")->trigger();
    EXPECT_EQ(f.terminated, 1);
    EXPECT_TRUE(w.Data1().DatabaseName.isEmpty());
}

TEST(Menu, AboutWindowHasOneSizeAndNoMaximiseButton) {
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    QuestionWindow& w = f.start();
    AboutDialog about(&w);
    about.show();
    const QSize client(Twips::toPixels(4200), Twips::toPixels(2775));
    EXPECT_EQ(about.size(), client);
    EXPECT_EQ(about.minimumSize(), client);
    EXPECT_EQ(about.maximumSize(), client);
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_EQ(about.windowTitle(), "Version");
}
