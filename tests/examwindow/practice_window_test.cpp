// SPDX-License-Identifier: GPL-3.0-or-later
// Practice: no clock, the outcome right after each answer, every answer a
// grade in the progress store.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "study/mockexam/exampracticeview.h"
#include "study/mockexam/examquestionview.h"
#include "study/mockexam/practicesession.h"
#include "tests/examwindow/examwindowfixture.h"

using Page = MockExamWindow::Page;

TEST(ExamPracticeWindow, AnswersAreToldAtOnceAndGraded) {
    ExamWindowFixture f(3, 3, 2);
    MockExamWindow& w = f.open();
    w.findChild<QComboBox*>("cbopractice")->setCurrentText("临危处置");
    f.click("cmdpractice");
    ASSERT_EQ(w.page(), Page::Practice);
    PracticeSession* p = w.practice();
    ASSERT_EQ(p->count(), 8);
    QLabel* feedback = w.practiceView()->feedback();

    const ExamQuestion first = p->current();
    ASSERT_TRUE(first.isJudge());
    const QString wrong = wrongResponseFor(first);
    f.key(wrong == "正确" ? Qt::Key_Y : Qt::Key_N);
    EXPECT_TRUE(feedback->text().startsWith("回答错误。正确答案：" + first.answer));
    EXPECT_TRUE(feedback->text().contains("解析：" + first.explanation));
    f.key(Qt::Key_Y);
    EXPECT_EQ(p->answeredCount(), 1) << "one answer per question";
    auto reviews = f.progress->store()->reviewsOf(first.identity);
    ASSERT_TRUE(reviews && reviews->size() == 1);
    EXPECT_EQ(reviews->front().grade, Fsrs::Grade::Forgot);

    f.key(Qt::Key_Return);  // on to the next
    EXPECT_TRUE(feedback->text().isEmpty());
    const ExamQuestion second = p->current();
    EXPECT_NE(second.identity, first.identity);
    for (const int k : keysFor(second.kind, second.answer, 0)) f.key(k);
    EXPECT_TRUE(feedback->text().startsWith("回答正确。"));
    reviews = f.progress->store()->reviewsOf(second.identity);
    ASSERT_TRUE(reviews && reviews->size() == 1);
    EXPECT_EQ(reviews->front().grade, Fsrs::Grade::Knew);
    EXPECT_FALSE(w.practiceView()->view()->optionButton(0)->isEnabled())
        << "an answered question takes no more clicks";
}

TEST(ExamPracticeWindow, AMultipleChoiceWaitsForEnter) {
    ExamWindowFixture f(0, 0, 2);
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPractice("事故自救", PracticeSession::Order::Sequential));
    PracticeSession* p = w.practice();
    ASSERT_TRUE(p->current().isMultiple());
    const QString answer = p->current().answer;
    for (const QChar c : answer) f.key(Qt::Key_A + (c.unicode() - u'A'));
    EXPECT_FALSE(p->answered()) << "letters alone do not answer";
    f.key(Qt::Key_Enter);
    ASSERT_TRUE(p->answered());
    EXPECT_TRUE(w.practiceView()->feedback()->text().startsWith("回答正确。"));
}

TEST(ExamPracticeWindow, AnEmptyPersonalListIsSaid) {
    ExamWindowFixture f(1, 1, 0);
    MockExamWindow& w = f.open();
    EXPECT_FALSE(w.startPractice("生词本", PracticeSession::Order::Random));
    EXPECT_EQ(w.page(), Page::Start);
    EXPECT_TRUE(w.findChild<QLabel*>("lblinfo")->text().contains("没有可以练习的题目"));
}
