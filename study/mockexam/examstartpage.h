// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "study/mockexam/paperrules.h"
#include "study/mockexam/practicesession.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// Where the window starts: a paper (科目一 or 科目四), or practice over a
// category or the personal list, in order or shuffled. It also offers to
// resume a paper left running, and, when the bank is too small for a
// paper, says what it has and offers the shorter paper it can make.
class ExamStartPage : public QWidget {
    Q_OBJECT
public:
    // The practice choice that stands for the personal list.
    static const QString& personalListName();

    explicit ExamStartPage(QWidget* parent = nullptr);

    // The offer to go on with a paper left running; empty text hides it.
    // `canResume` false leaves only the discard.
    void offerResume(const QString& text, bool canResume = true);
    // What the bank lacks, and the offer of the shorter paper (none when
    // `shorterOffered` is false).
    void showShortage(const QString& text, bool shorterOffered);
    // A line for the learner under the choices (a bank that cannot be read).
    void say(const QString& text);
    // The keys start where the learner most likely goes: the offer to
    // resume, else 科目一 (Space starts it, Tab goes on).
    void focusChoice();

    QComboBox* practiceChoice() const { return practice_; }

signals:
    void subjectChosen(PaperRules::Subject subject);
    void shorterChosen();
    // category: one of the bank's, or personalListName().
    void practiceChosen(const QString& category, PracticeSession::Order order);
    void resumeChosen();
    void discardChosen();

private:
    QWidget* paperBox();
    QWidget* practiceBox();
    QWidget* resumeBox();

    QFrame* resume_ = nullptr;
    QLabel* resumeText_ = nullptr;
    QPushButton* resumeButton_ = nullptr;
    QPushButton* subjectOne_ = nullptr;
    QLabel* shortage_ = nullptr;
    QPushButton* shorter_ = nullptr;
    QLabel* info_ = nullptr;
    QComboBox* practice_ = nullptr;
    QButtonGroup* order_ = nullptr;
};
