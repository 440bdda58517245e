// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>
#include <QWidget>

#include "study/mockexam/examresult.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
struct DrawnPaper;
struct ExamQuestion;

// A submitted paper: the score, pass or fail, the time used, the score per
// category, and a review of every question answered wrongly or not at all
// with the right answer and its explanation. One button puts those into the
// personal list; it works once per paper.
class ExamResultView : public QWidget {
    Q_OBJECT
public:
    explicit ExamResultView(QWidget* parent = nullptr);

    // `kept`: whether the result went into the progress store.
    void showResult(const ExamResult& result, const DrawnPaper& paper, const QStringList& responses,
                    bool kept);
    // What putting the wrong ones into the book came to; the button is spent.
    void showBookOutcome(const QString& text);

    // One review entry: number and kind, the question with its options, the
    // learner's answer, the right one and the explanation.
    static QString reviewText(int number, const ExamQuestion& q, const QString& response);
    static QString durationText(qint64 ms);

    QLabel* score() const { return score_; }
    QLabel* verdict() const { return verdict_; }
    QLabel* time() const { return time_; }
    QLabel* kept() const { return kept_; }
    QTableWidget* categories() const { return categories_; }
    QListWidget* review() const { return review_; }
    QPushButton* addWrongButton() const { return addWrong_; }

signals:
    void addWrongClicked();
    void againClicked();
    void backClicked();

private:
    void fillCategories(const ExamResult& result);

    QLabel* score_ = nullptr;
    QLabel* verdict_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* kept_ = nullptr;
    QLabel* book_ = nullptr;
    QTableWidget* categories_ = nullptr;
    QListWidget* review_ = nullptr;
    QPushButton* addWrong_ = nullptr;
    QPushButton* again_ = nullptr;
};
