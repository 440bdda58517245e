// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>

#include "study/mockexam/examquestionview.h"

class QLabel;
class QPushButton;
class ExamAnswerGrid;
class ExamSession;

// A paper being answered: the current question, the grid of all questions,
// the time left and the moves. A choice of 判断 or 单选 is kept and the next
// question follows; a 多选 takes letters until Enter (or 确定) moves on. The
// session holds every response; this page only shows it and passes the
// learner's keys and clicks on.
class ExamPaperPage : public QWidget {
    Q_OBJECT
public:
    explicit ExamPaperPage(QWidget* parent = nullptr);

    // Shows `session` (not owned; null: none). Pictures come from `reader`.
    void attach(ExamSession* session, ExamQuestionView::PictureReader reader);
    ExamSession* session() const { return session_; }

    // A key of the window; false when it means nothing here.
    bool handleKey(int key);
    // Submits, asking first when questions are unanswered.
    void submitAsked();

    // mm:ss, seconds rounded up, so 00:00 shows only when the time is up.
    static QString clockText(qint64 remainingMs);

    ExamQuestionView* view() const { return view_; }
    ExamAnswerGrid* grid() const { return grid_; }
    QLabel* clock() const { return clock_; }

private:
    void choose(int option);
    void confirm();
    void refresh();
    void showTime(qint64 remainingMs);
    void say(const QString& text);

    QPointer<ExamSession> session_;
    ExamQuestionView* view_ = nullptr;
    ExamAnswerGrid* grid_ = nullptr;
    QLabel* clock_ = nullptr;
    QLabel* answered_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    int shown_ = -1;  // the question the view shows
};
