// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "questionbank/progressstore.h"
#include "study/mockexam/examquestion.h"

// Practice: no clock, the right answer and its explanation told right after
// each answer, and each answer a grade in the progress store (right 记得,
// wrong 忘了). Goes through the questions given (a category of the bank or
// the personal list) in their order or shuffled; at the end it starts over.
class PracticeSession {
public:
    enum class Order { Sequential, Random };
    using StoreSource = std::function<ProgressStore*()>;
    using Clock = std::function<qint64()>;  // ms since the epoch, for the grades

    struct Feedback {
        bool right = false;
        QString response;     // normalised
        QString answer;       // the right one
        QString explanation;  // may be empty
        bool graded = false;  // the grade was written to the store
    };

    // The questions of one category (empty: all) of `all`; a personal-list
    // read is passed whole.
    static std::vector<ExamQuestion> ofCategory(const std::vector<ExamQuestion>& all,
                                                const QString& category);

    PracticeSession(std::vector<ExamQuestion> questions, Order order, StoreSource store,
                    std::optional<quint32> seed = {}, Clock clock = {});

    int count() const { return int(questions_.size()); }
    bool isEmpty() const { return questions_.empty(); }
    int position() const { return position_; }  // 0-based, in the practice order
    const ExamQuestion& current() const { return questions_.at(size_t(position_)); }

    // Answers the current question (once; a second answer to the same
    // question is refused with nothing). Grades it in the store.
    std::optional<Feedback> answer(const QString& response);
    bool answered() const { return answered_; }
    // The next question (the first again after the last); previous likewise.
    void next();
    void previous();

    int rightCount() const { return right_; }
    int answeredCount() const { return done_; }
    // Whether a grade could not be written (the store failed or was unusable).
    bool faulted() const { return faulted_; }

private:
    std::vector<ExamQuestion> questions_;
    StoreSource store_;
    Clock clock_;
    int position_ = 0;
    bool answered_ = false;
    int right_ = 0;
    int done_ = 0;
    bool faulted_ = false;
};
