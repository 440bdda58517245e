// SPDX-License-Identifier: GPL-3.0-or-later
// The result's one button, and a progress store that cannot be used: the
// exam runs, the learner hears once that the result is not kept.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "study/mockexam/examresultview.h"
#include "tests/examwindow/examwindowfixture.h"

using Page = MockExamWindow::Page;

TEST(ExamResultWindow, TheWrongOnesGoIntoTheBookOnceAndAreGradedForgotten) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
    for (int i = 0; i < 100; ++i) f.answerByKeys(i >= 5);
    f.click("cmdsubmit");
    ASSERT_EQ(w.page(), Page::Result);
    ExamResultView* r = w.resultView();
    ASSERT_EQ(r->review()->count(), 5);
    QStringList wrong;
    for (int i = 0; i < 5; ++i) wrong << f.session().question(i).text;

    f.click("cmdaddwrong");
    EXPECT_EQ(f.personalRows(), wrong);
    EXPECT_FALSE(r->addWrongButton()->isEnabled()) << "the button is spent";
    EXPECT_TRUE(r->findChild<QLabel*>("lblbook")->text().startsWith("已加入生词本 5 道"));
    for (int i = 0; i < 5; ++i) {
        const auto reviews = f.progress->store()->reviewsOf(f.session().question(i).identity);
        ASSERT_TRUE(reviews.has_value());
        ASSERT_EQ(reviews->size(), 1u) << i;
        EXPECT_EQ(reviews->front().grade, Fsrs::Grade::Forgot);
    }
    // Even asked again (no button), nothing is added twice.
    w.addWrongToBook();
    EXPECT_EQ(f.personalRows(), wrong);
    EXPECT_TRUE(f.messages.empty());
}

TEST(ExamResultWindow, AStoreThatCannotBeUsedIsToldOnceAndTheExamRuns) {
    ExamWindowFixture f;
    // Where progress.db belongs stands a folder: the store cannot be opened.
    ASSERT_TRUE(QDir(f.env.programDir()).mkdir("progress.db"));
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::Four));
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].icon, MessageBox::Icon::Warning);
    EXPECT_TRUE(f.messages[0].text.contains("成绩和答题记录不会保存"));
    EXPECT_EQ(w.page(), Page::Paper) << "the exam still runs";
    for (int i = 0; i < 50; ++i) f.answerByKeys(true);
    f.click("cmdsubmit");
    ASSERT_EQ(w.page(), Page::Result);
    EXPECT_EQ(w.resultView()->score()->text(), "科目四　得分 100 / 100");
    EXPECT_TRUE(w.resultView()->kept()->isVisible());
    EXPECT_TRUE(w.resultView()->kept()->text().contains("没有保存"));
    f.click("cmdagain");
    ASSERT_EQ(w.page(), Page::Paper);
    EXPECT_EQ(f.messages.size(), 1u) << "told once, not per paper";
}
