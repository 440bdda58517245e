// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/mockexam/practicesession.h"

#include <QDateTime>
#include <random>

#include "study/mockexam/examlog.h"

std::vector<ExamQuestion> PracticeSession::ofCategory(const std::vector<ExamQuestion>& all,
                                                      const QString& category) {
    if (category.isEmpty()) return all;
    std::vector<ExamQuestion> out;
    for (const ExamQuestion& q : all)
        if (q.category == category) out.push_back(q);
    return out;
}

PracticeSession::PracticeSession(std::vector<ExamQuestion> questions, Order order,
                                 StoreSource store, std::optional<quint32> seed, Clock clock)
    : questions_(std::move(questions)), store_(std::move(store)), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return QDateTime::currentMSecsSinceEpoch(); };
    if (order != Order::Random) return;
    std::mt19937 engine(seed.value_or(std::random_device{}()));
    // Fisher-Yates with plain modulo, as the paper draw does.
    for (size_t i = questions_.size(); i > 1; --i)
        std::swap(questions_[i - 1], questions_[engine() % quint32(i)]);
}

std::optional<PracticeSession::Feedback> PracticeSession::answer(const QString& response) {
    if (isEmpty() || answered_) return std::nullopt;
    const ExamQuestion& q = current();
    Feedback f;
    f.response = q.normalisedResponse(response);
    if (f.response.isEmpty()) return std::nullopt;  // nothing usable: not an answer yet
    f.right = q.isRight(f.response);
    f.answer = q.answer;
    f.explanation = q.explanation;
    answered_ = true;
    ++done_;
    if (f.right) ++right_;
    ProgressStore* store = store_ ? store_() : nullptr;
    const Fsrs::Grade grade = f.right ? Fsrs::Grade::Knew : Fsrs::Grade::Forgot;
    f.graded = store && store->recordGrade(q.identity, grade, clock_()).has_value();
    if (!f.graded) faulted_ = true;
    qCInfo(lcExam).noquote() << "practice" << position_ + 1 << f.response
                             << (f.right ? "right" : "wrong")
                             << (f.graded ? "graded" : "not graded");
    return f;
}

void PracticeSession::next() {
    if (isEmpty()) return;
    position_ = (position_ + 1) % count();
    answered_ = false;
}

void PracticeSession::previous() {
    if (isEmpty()) return;
    position_ = (position_ + count() - 1) % count();
    answered_ = false;
}
