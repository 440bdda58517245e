// SPDX-License-Identifier: GPL-3.0-or-later
// The order by memory on the display: the switch, the grade keys 1 to 4 and
// J, and the note that tells how a grade went.
#include <QAction>

#include "platform/datafolder.h"
#include "platform/logging.h"
#include "questionbank/recordset.h"
#include "study/feedbacknote.h"
#include "study/gradenote.h"
#include "study/personallist.h"
#include "study/questionwindow.h"

namespace {
// A question forgotten this often goes into the personal list by itself.
constexpr int kForgottenForList = 2;
const QString kBetween = QStringLiteral(" · ");
}  // namespace

MemoryOrder::Settings QuestionWindow::orderSettings() const {
    return {settings_.studyorder == 1, settings_.newperday};
}

bool QuestionWindow::memoryInEffect() {
    return order_.inEffect();
}

bool QuestionWindow::tellUntoldFault() {
    // Only the order by memory opens the store on the display.
    if (!order_.chosen()) return false;
    const QString why = progress_.takeUntoldFault();
    if (why.isEmpty()) return false;
    tell(why + QStringLiteral("\n题目按原来的顺序显示。"), FeedbackNote::kNoticeMs);
    return true;
}

void QuestionWindow::toggleMemoryOrder() {
    studySettings_.toggleMemoryOrder();
    const bool on = settings_.studyorder == 1;
    mnumemory_->setChecked(on);
    order_.switched();
    qCInfo(lcDisplay) << "order by memory" << (on ? "on" : "off");
    if (!on) {
        // The answer waits no more unless H asks for it.
        cycle_.answerLaterChanged();
        tell(QStringLiteral("按记忆复习：关"), FeedbackNote::kShortMs);
        return;
    }
    // The question wanted first comes at once.
    cycle_.stepByKey(1);
    if (!tellUntoldFault()) tell(QStringLiteral("按记忆复习：开"), FeedbackNote::kShortMs);
}

QString QuestionWindow::recordGrade(Fsrs::Grade grade, bool listed) {
    const auto graded = order_.grade(grade);
    if (!graded) return {};
    QString text = GradeNote::text(grade, graded->card.dueMs - graded->card.lastMs);
    if (listed || graded->forgotten < kForgottenForList) return text;
    RecordSet* rs = Data1_.Recordset();
    if (!rs || !rs->hasCurrent()) return text;
    changingList_ = true;
    const auto r =
        PersonalList(DataFolder::path(), editorFinder_).add(PersonalList::questionOf(*rs));
    changingList_ = false;
    // Nothing is ever taken out of the list by itself, and one already there stays as it is.
    if (r.outcome == PersonalList::Outcome::Added)
        text += QStringLiteral("\n忘了 %1 次，已自动加入生词本").arg(graded->forgotten);
    else if (r.outcome == PersonalList::Outcome::Failed)
        text += QStringLiteral("\n没能自动加入生词本：") + r.text;
    return text;
}

void QuestionWindow::gradeShown(Fsrs::Grade grade) {
    if (changingList_) return;
    if (!order_.chosen()) {
        tell(QStringLiteral("按记忆复习时才能评分（右键菜单「按记忆复习」）"),
             FeedbackNote::kShortMs);
        return;
    }
    if (!cycle_.hasRecord()) {
        tell(QStringLiteral("没有可以评分的题目"), FeedbackNote::kShortMs);
        return;
    }
    if (cycle_.answerHidden()) {
        tell(QStringLiteral("答案显示后再评分"), FeedbackNote::kShortMs);
        return;
    }
    const QString said = recordGrade(grade, false);
    qCInfo(lcDisplay) << "grade" << int(grade) << (said.isEmpty() ? "not written" : "written");
    // A grade moves on, written or not.
    cycle_.stepByKey(1);
    if (tellUntoldFault() || said.isEmpty()) return;
    tell(said, said.contains(QLatin1Char('\n')) ? FeedbackNote::kLongMs : FeedbackNote::kShortMs);
}

void QuestionWindow::forgetShown() {
    if (changingList_) return;
    const bool grading =
        order_.chosen() && cycle_.hasRecord() && !cycle_.answerHidden() && memoryInEffect();
    if (!grading) {
        addShownToPersonalList();
        return;
    }
    RecordSet* rs = Data1_.Recordset();
    changingList_ = true;
    const auto r =
        PersonalList(DataFolder::path(), editorFinder_).add(PersonalList::questionOf(*rs));
    changingList_ = false;
    const QString said = recordGrade(Fsrs::Grade::Forgot, true);
    qCInfo(lcDisplay) << "grade 1 by J" << (said.isEmpty() ? "not written" : "written");
    cycle_.stepByKey(1);
    if (tellUntoldFault()) return;
    const bool failed = r.outcome == PersonalList::Outcome::Failed;
    tell(said.isEmpty() ? r.text : said + (failed ? QStringLiteral("\n") : kBetween) + r.text,
         failed ? FeedbackNote::kLongMs : FeedbackNote::kShortMs);
}
