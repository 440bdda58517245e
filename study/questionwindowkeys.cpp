// SPDX-License-Identifier: GPL-3.0-or-later
// The display window's keys, beyond the menu: the personal list in one key,
// a step forward and back, pause, help, answers after half a step, the
// picture at its own size, and the grades of the order by memory.
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>

#include "platform/datafolder.h"
#include "platform/logging.h"
#include "platform/settingsstore.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/columns.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "study/feedbacknote.h"
#include "study/personallist.h"
#include "study/picturezoom.h"
#include "study/questionpicture.h"
#include "study/questionsource.h"
#include "study/questionwindow.h"

namespace {
const QString kIndex = QStringLiteral("index");
using Columns::kEnglish;
}  // namespace

void QuestionWindow::keyPressEvent(QKeyEvent* e) {
    // Shortcuts with Ctrl, Alt or the system key belong to others.
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(e);
        return;
    }
    // Holding a key down steps on; it does not add, ask or switch again and again.
    const bool again = e->isAutoRepeat();
    switch (e->key()) {
        case Qt::Key_J:
            if (!again) forgetShown();
            break;
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_3:
        case Qt::Key_4:
            if (!again) gradeShown(Fsrs::Grade(e->key() - Qt::Key_0));
            break;
        case Qt::Key_K:
        case Qt::Key_Delete:
            if (!again) removeShownFromPersonalList();
            break;
        case Qt::Key_Space:
            if (!again) {
                togglePause();
                tell(cycle_.isRunning() ? QStringLiteral("继续") : QStringLiteral("已暂停"),
                     FeedbackNote::kShortMs);
            }
            break;
        case Qt::Key_Right:
            stepByKey(1);
            break;
        case Qt::Key_Left:
            stepByKey(-1);
            break;
        case Qt::Key_F1:
            if (!again) openHelp();
            break;
        case Qt::Key_H:
            if (!again) toggleAnswersAfterPause();
            break;
        case Qt::Key_Z:
            if (!again) zoomPicture();
            break;
        case Qt::Key_E:
            if (!again) showExam();
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
    }
    e->accept();
}

void QuestionWindow::tell(const QString& text, int ms) {
    note_->say(text, ms);
}

bool QuestionWindow::showingPersonalList() const {
    return settings_.guageword >= 10 &&
           QFileInfo(Data1_.DatabaseName).fileName() == Queries::kPersonalFile;
}

void QuestionWindow::addShownToPersonalList() {
    if (changingList_) return;
    RecordSet* rs = Data1_.Recordset();
    if (!rs || !rs->hasCurrent()) {
        tell(QStringLiteral("没有可以加入的题目"), FeedbackNote::kShortMs);
        return;
    }
    changingList_ = true;
    const auto r =
        PersonalList(DataFolder::path(), editorFinder_).add(PersonalList::questionOf(*rs));
    changingList_ = false;
    tell(r.text, r.outcome == PersonalList::Outcome::Failed ? FeedbackNote::kLongMs
                                                            : FeedbackNote::kShortMs);
}

void QuestionWindow::removeShownFromPersonalList() {
    if (changingList_) return;
    if (!showingPersonalList()) {
        tell(QStringLiteral("显示生词本时才能删除题目"), FeedbackNote::kShortMs);
        return;
    }
    const RecordSet* shown = Data1_.Recordset();
    if (!shown || !shown->hasCurrent()) {
        tell(QStringLiteral("没有可以删除的题目"), FeedbackNote::kShortMs);
        return;
    }
    // The question asked about is the one deleted, even if the display moves
    // on while the question is open.
    const qint64 index = shown->field(kIndex).toLongLong();
    const QString english = shown->text(kEnglish);
    changingList_ = true;
    const bool yes =
        MessageBox::ask(this, QStringLiteral("从生词本中删除这道题吗？\n\n") + english);
    const auto r = yes ? PersonalList(DataFolder::path(), editorFinder_).remove(index, english)
                       : PersonalList::Result{PersonalList::Outcome::NotThere, QString()};
    changingList_ = false;
    if (!yes) return;
    tell(r.text, r.outcome == PersonalList::Outcome::Failed ? FeedbackNote::kLongMs
                                                            : FeedbackNote::kShortMs);
    if (r.outcome != PersonalList::Outcome::Removed) return;

    // The display's copy loses the record too (the file may be held by the
    // editor, so it is not read again). Removed while shown, the display goes
    // on with the next one; when it moved on while the question was open, it
    // goes on from the record it shows.
    RecordSet* rs = Data1_.Recordset();
    if (!rs || !showingPersonalList()) return;  // a reload meanwhile chose another source
    const QString before = rs->Bookmark();
    const bool removingShown = rs->hasCurrent() && rs->field(kIndex).toLongLong() == index;
    bool found = false;
    for (rs->MoveFirst(); !rs->atEOF(); rs->MoveNext()) {
        if (rs->field(kIndex).toLongLong() == index) {
            found = true;
            break;
        }
    }
    if (!found) {
        if (!before.isEmpty()) rs->setBookmark(before);
        return;
    }
    rs->forgetCurrent();
    if (rs->RecordCount() == 0) {
        // An emptied list is shown as an empty list is at reload.
        selectEmptyListFallback(DataFolder::path(), Data1_, this);
        openRecordSet();
        cycle_.showCurrent();
        return;
    }
    if (removingShown || before.isEmpty())
        stepByKey(1);
    else
        rs->setBookmark(before);
}

void QuestionWindow::toggleAnswersAfterPause() {
    studySettings_.toggleAnswersAfterPause();
    cycle_.answerLaterChanged();
    // By memory the answer waits all the same: the note says so.
    const bool waits = settings_.delayword != 1 && memoryInEffect();
    tell(settings_.delayword == 1 ? QStringLiteral("稍后显示答案：开")
         : waits ? QStringLiteral("稍后显示答案：关（按记忆复习时答案仍在停顿后显示）")
                 : QStringLiteral("稍后显示答案：关"),
         FeedbackNote::kShortMs);
}

void QuestionWindow::zoomPicture() {
    if (zoom_ && zoom_->isOpen()) return;
    if (!picture_->shown()) {
        tell(QStringLiteral("这道题没有图片"), FeedbackNote::kShortMs);
        return;
    }
    if (!zoom_) {
        zoom_ = new PictureZoom(this);
        connect(zoom_, &PictureZoom::closed, this, &QuestionWindow::resumeAfterZoom);
    }
    const QScreen* s = screen();
    const QRect available = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!zoom_->open(picture_->bytes(), available)) return;
    // The learner reads the picture: no step while it is open. A cycle the
    // learner paused stays paused after it.
    zoomPaused_ = cycle_.isRunning();
    if (!zoomPaused_) return;
    // Running again after a reload, though paused before it: the learner's
    // pause is what the window then shows, and the close runs the cycle.
    if (cycle_.pace() != StudyCycle::Pace::Running) cycle_.togglePause();
    togglePause();
    qCInfo(lcDisplay) << "display waits while the picture is zoomed";
}

void QuestionWindow::resumeAfterZoom() {
    if (!zoomPaused_) return;
    zoomPaused_ = false;
    if (cycle_.pace() == StudyCycle::Pace::Paused) togglePause();
    qCInfo(lcDisplay) << "display goes on after the zoom";
}
