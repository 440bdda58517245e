// SPDX-License-Identifier: GPL-3.0-or-later
// A paper answered in the window: by keys, through the grid, submitted by
// the learner (asked first when questions are open) or by the clock.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "study/mockexam/examanswergrid.h"
#include "study/mockexam/exampaperpage.h"
#include "study/mockexam/examquestionview.h"
#include "study/mockexam/examresultview.h"
#include "study/picturezoom.h"
#include "study/questionpicture.h"
#include "tests/examwindow/examwindowfixture.h"

using Page = MockExamWindow::Page;

TEST(ExamPaperWindow, ShowsTheQuestionItsOptionsAndTheTime) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::Four));
    ASSERT_EQ(w.page(), Page::Paper);
    EXPECT_EQ(w.windowTitle(), "模拟考试");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_EQ(f.session().count(), 50);
    ExamPaperPage* page = w.paperPage();
    EXPECT_EQ(page->clock()->text(), "剩余时间 30:00");
    f.clockMs += 61'000;
    f.session().checkTime();
    EXPECT_EQ(page->clock()->text(), "剩余时间 28:59");

    // A judgement shows 正确 and 错误; a choice its letters beside its texts.
    const ExamQuestion& first = f.session().currentQuestion();
    ASSERT_TRUE(first.isJudge()) << "the paper starts with its 判断题";
    EXPECT_EQ(page->view()->optionButton(0)->text(), "正确");
    EXPECT_EQ(page->view()->optionButton(1)->text(), "错误");
    EXPECT_FALSE(page->view()->optionButton(2)->isVisible());
    EXPECT_EQ(page->view()->questionLabel()->text(), first.text);
    int multiple = -1;
    for (int i = 0; i < f.session().count() && multiple < 0; ++i)
        if (f.session().question(i).isMultiple()) multiple = i;
    ASSERT_GE(multiple, 0);
    QTest::mouseClick(page->grid()->button(multiple), Qt::LeftButton);
    EXPECT_EQ(page->view()->optionButton(3)->text(), "D");
    EXPECT_TRUE(page->view()->confirmButton()->isVisible()) << "a 多选 waits for 确定";

    // A 多选 takes letters until Enter; the letters toggle.
    f.key(Qt::Key_A);
    f.key(Qt::Key_3);
    f.key(Qt::Key_D);
    f.key(Qt::Key_D);
    EXPECT_EQ(f.session().response(multiple), "AC");
    EXPECT_EQ(f.session().current(), multiple) << "letters do not move on";
    EXPECT_TRUE(page->view()->optionButton(0)->isChecked());
    EXPECT_FALSE(page->view()->optionButton(1)->isChecked());
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.session().current(), multiple + 1);
    f.key(Qt::Key_Left);
    EXPECT_EQ(f.session().current(), multiple);
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.session().current(), multiple + 1);
}

TEST(ExamPaperWindow, AllRightByKeysScoresFullAndPasses) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
    ASSERT_EQ(f.session().count(), 100);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(f.session().current(), i) << "a choice moves on to the next question";
        f.answerByKeys(true);
    }
    EXPECT_EQ(f.session().answeredCount(), 100);
    f.clockMs += 20 * 60'000 + 5'000;
    f.key(Qt::Key_Return);
    EXPECT_EQ(w.page(), Page::Paper) << "Enter on the last question does not submit";
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(f.messages.empty()) << "nothing to ask: every question is answered";
    ASSERT_EQ(w.page(), Page::Result);
    ExamResultView* r = w.resultView();
    EXPECT_EQ(r->score()->text(), "科目一　得分 100 / 100");
    EXPECT_EQ(r->verdict()->text(), "合格");
    EXPECT_TRUE(r->time()->text().startsWith("用时 20 分 5 秒")) << r->time()->text().toStdString();
    EXPECT_EQ(r->review()->count(), 0);
    EXPECT_FALSE(r->addWrongButton()->isEnabled());
    EXPECT_FALSE(r->kept()->isVisible());
    const auto papers = f.progress->store()->papers();
    ASSERT_TRUE(papers && papers->size() == 1);
    EXPECT_EQ(papers->front().score, 100);
    EXPECT_EQ(papers->front().durationMs, 20 * 60'000 + 5'000);
}

TEST(ExamPaperWindow, AllWrongFailsAndReviewsEveryQuestion) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::Four));
    for (int i = 0; i < 50; ++i) f.answerByKeys(false);
    EXPECT_EQ(f.session().answeredCount(), 50);
    f.click("cmdsubmit");
    ASSERT_EQ(w.page(), Page::Result);
    ExamResultView* r = w.resultView();
    EXPECT_EQ(r->score()->text(), "科目四　得分 0 / 100");
    EXPECT_EQ(r->verdict()->text(), "不合格");
    ASSERT_EQ(r->review()->count(), 50);
    const ExamQuestion& q = f.session().question(0);
    const QString first = r->review()->item(0)->text();
    EXPECT_TRUE(first.startsWith("第 1 题（判断题）")) << first.toStdString();
    EXPECT_TRUE(first.contains("你的答案：" + wrongResponseFor(q)));
    EXPECT_TRUE(first.contains("正确答案：" + q.answer + "\n解析：" + q.explanation))
        << first.toStdString();
    // Per category: every category of the paper, nothing scored.
    ASSERT_GT(r->categories()->rowCount(), 0);
    int questions = 0;
    for (int row = 0; row < r->categories()->rowCount(); ++row) {
        questions += r->categories()->item(row, 1)->text().toInt();
        EXPECT_EQ(r->categories()->item(row, 2)->text(), "0");
    }
    EXPECT_EQ(questions, 50);
}

TEST(ExamPaperWindow, GridShowsAnsweredUnansweredAndCurrentAndJumps) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
    ExamAnswerGrid* grid = w.paperPage()->grid();
    ASSERT_EQ(grid->count(), 100);
    EXPECT_EQ(grid->look(0), ExamAnswerGrid::Look::Current);
    EXPECT_EQ(grid->look(1), ExamAnswerGrid::Look::Unanswered);

    QTest::mouseClick(grid->button(36), Qt::LeftButton);
    EXPECT_EQ(f.session().current(), 36);
    EXPECT_EQ(grid->look(36), ExamAnswerGrid::Look::Current);
    EXPECT_EQ(grid->look(0), ExamAnswerGrid::Look::Unanswered);
    EXPECT_TRUE(w.paperPage()->view()->questionLabel()->text() == f.session().question(36).text);
    f.answerByKeys(true);
    EXPECT_EQ(grid->look(36), ExamAnswerGrid::Look::Answered);
    EXPECT_EQ(grid->look(37), ExamAnswerGrid::Look::Current);
    QTest::mouseClick(grid->button(36), Qt::LeftButton);
    EXPECT_EQ(grid->look(36), ExamAnswerGrid::Look::AnsweredCurrent);
    EXPECT_EQ(grid->button(36)->toolTip(), "第 37 题：已答");
}

TEST(ExamPaperWindow, SubmitWithUnansweredQuestionsAsksFirst) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
    for (int i = 0; i < 3; ++i) f.answerByKeys(true);
    f.answer = false;
    f.click("cmdsubmit");
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.contains("还有 97 道题没有作答"))
        << f.messages[0].text.toStdString();
    EXPECT_EQ(w.page(), Page::Paper) << "No keeps the paper open";
    EXPECT_FALSE(f.session().isSubmitted());
    f.answer = true;
    f.click("cmdsubmit");
    ASSERT_EQ(w.page(), Page::Result);
    EXPECT_EQ(w.resultView()->score()->text(), "科目一　得分 3 / 100");
    EXPECT_EQ(w.resultView()->review()->count(), 97);
    EXPECT_TRUE(w.resultView()->review()->item(0)->text().contains("你的答案：未作答"));
}

TEST(ExamPaperWindow, TheClockAtZeroSubmitsByItself) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
    for (int i = 0; i < 95; ++i) f.answerByKeys(true);
    f.clockMs += 45 * 60'000 - 1;
    f.session().checkTime();
    EXPECT_EQ(w.paperPage()->clock()->text(), "剩余时间 00:01");
    ASSERT_EQ(w.page(), Page::Paper);
    f.clockMs += 1;
    // The session's own timer reads the clock; no key is needed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.page() == Page::Result; }, 3000));
    EXPECT_TRUE(f.messages.empty()) << "nothing is asked when the time is up";
    EXPECT_EQ(w.resultView()->score()->text(), "科目一　得分 95 / 100");
    EXPECT_EQ(w.resultView()->verdict()->text(), "合格");
    EXPECT_TRUE(w.resultView()->time()->text().contains("时间到，已自动交卷"));
    EXPECT_TRUE(w.resultView()->time()->text().startsWith("用时 45 分 0 秒"));
    f.key(Qt::Key_A);
    EXPECT_EQ(f.session().answeredCount(), 95) << "a submitted paper takes no answer";
}

TEST(ExamPaperWindow, PictureShowsAndZoomsByKeyAndClick) {
    ExamWindowFixture f;
    MockExamWindow& w = f.open();
    ASSERT_TRUE(w.startPaper(PaperRules::Subject::One));
    int withPicture = -1;
    for (int i = 0; i < f.session().count() && withPicture < 0; ++i)
        if (f.session().question(i).hasPicture) withPicture = i;
    ASSERT_GE(withPicture, 0);
    ExamQuestionView* view = w.paperPage()->view();
    EXPECT_FALSE(view->picture()->shown());
    f.key(Qt::Key_Z);
    EXPECT_EQ(view->zoom(), nullptr) << "no picture: nothing to enlarge";
    QTest::mouseClick(w.paperPage()->grid()->button(withPicture), Qt::LeftButton);
    ASSERT_TRUE(view->picture()->shown());
    EXPECT_EQ(view->picture()->pictureSize(), QSize(120, 80));
    f.key(Qt::Key_Z);
    ASSERT_NE(view->zoom(), nullptr);
    EXPECT_TRUE(view->zoom()->isOpen());
    view->zoom()->hide();
    QWidget* box = view->findChild<QWidget*>("picturebox");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(view->zoom()->isOpen()) << "a click on the picture enlarges it";
    view->zoom()->hide();
    // Moving on leaves the picture behind.
    f.key(Qt::Key_Right);
    EXPECT_EQ(view->picture()->shown(), f.session().currentQuestion().hasPicture);
}
