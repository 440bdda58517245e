// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "study/mockexam/examquestionview.h"

class QLabel;
class QPushButton;
class PracticeSession;

// Practice: one question after another without a clock; an answer shows at
// once whether it was right, the right answer and its explanation. A 判断
// or 单选 is answered by its option; a 多选 collects letters until Enter (or
// 确定). Then Enter or → goes on.
class ExamPracticeView : public QWidget {
    Q_OBJECT
public:
    explicit ExamPracticeView(QWidget* parent = nullptr);

    // Shows `session` (not owned) under `name`, from its current question.
    void attach(PracticeSession* session, const QString& name,
                ExamQuestionView::PictureReader reader);
    bool handleKey(int key);

    ExamQuestionView* view() const { return view_; }
    QLabel* feedback() const { return feedback_; }

signals:
    // An answer was given (the window looks at the store then).
    void answered();
    void backClicked();

private:
    void choose(int option);
    void confirm();
    void answer(const QString& response);
    void move(int direction);
    void showCurrent();
    void showPosition();

    PracticeSession* session_ = nullptr;
    QString name_;
    QString pending_;  // the letters of a 多选 not yet confirmed
    ExamQuestionView* view_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* feedback_ = nullptr;
};
