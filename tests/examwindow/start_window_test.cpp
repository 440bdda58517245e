// SPDX-License-Identifier: GPL-3.0-or-later
// The start page: a bank too small for a paper, and a paper left running.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "study/mockexam/examstartpage.h"
#include "tests/examwindow/examwindowfixture.h"

using Page = MockExamWindow::Page;

TEST(ExamStartWindow, ABankTooSmallSaysWhatItHasAndOffersTheShorterPaper) {
    // Three 科目一 categories of 8 判断 each: 24 of the 40 a paper needs.
    ExamWindowFixture f(8, 65, 12);
    MockExamWindow& w = f.open();
    f.click("cmdsubject1");
    EXPECT_EQ(w.page(), Page::Start);
    auto* lack = w.findChild<QLabel*>("lblshortage");
    ASSERT_TRUE(lack->isVisible());
    EXPECT_TRUE(lack->text().contains("24")) << lack->text().toStdString();
    EXPECT_TRUE(lack->text().contains("40")) << lack->text().toStdString();
    f.click("cmdshorter");
    ASSERT_EQ(w.page(), Page::Paper);
    EXPECT_EQ(f.session().count(), 84);
    EXPECT_FALSE(lack->isVisible());
}

TEST(ExamStartWindow, APaperLeftRunningIsOfferedWithItsTimeAndGoesOn) {
    ExamWindowFixture f;
    {
        MockExamWindow& w = f.open();
        EXPECT_FALSE(w.findChild<QWidget*>("fraresume")->isVisible());
        ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
        for (int i = 0; i < 3; ++i) f.answerByKeys(true);
        f.clockMs += 10 * 60'000;
        f.close();  // the paper is saved as it stands
    }
    MockExamWindow& w = f.open();
    ASSERT_EQ(w.page(), Page::Start);
    ASSERT_TRUE(w.findChild<QWidget*>("fraresume")->isVisible());
    EXPECT_EQ(w.findChild<QLabel*>("lblresume")->text(),
              "上次的「科目一」还没有交卷：已答 3 / 100 题，还剩 35:00。");
    f.click("cmdresume");
    ASSERT_EQ(w.page(), Page::Paper);
    EXPECT_EQ(f.session().answeredCount(), 3);
    EXPECT_EQ(f.session().current(), 3);
    EXPECT_EQ(f.session().remainingMs(), 35 * 60'000);
}

TEST(ExamStartWindow, APaperLeftRunningCanBeDiscarded) {
    ExamWindowFixture f;
    f.open();
    ASSERT_TRUE(f.window->startPaper(PaperRules::Subject::Four));
    f.answerByKeys(true);
    f.close();
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.findChild<QWidget*>("fraresume")->isVisible());
    f.click("cmddiscard");
    EXPECT_FALSE(w.findChild<QWidget*>("fraresume")->isVisible());
    f.close();
    f.open();
    EXPECT_FALSE(f.window->findChild<QWidget*>("fraresume")->isVisible());
}

TEST(ExamStartWindow, KeysStartAPaperAndTakeAnother) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdsubject1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(w.page(), Page::Paper);
    EXPECT_EQ(f.session().count(), 100);
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(w.page(), Page::Result);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdagain");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(w.page(), Page::Paper);
    EXPECT_FALSE(f.session().isSubmitted()) << "a new paper";
    EXPECT_EQ(f.session().answeredCount(), 0);
}
