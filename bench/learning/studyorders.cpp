// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/learning/studyorders.h"

void StudyOrder::answered(int, const SimulatedLearner::Attempt&, qint64) {}

int DocumentedOrder::next(qint64) {
    position_ = (position_ + 1) % questions_;
    return position_;
}

int RandomOrder::next(qint64) {
    return int(draw_.bounded(quint32(questions_)));
}

ByMemoryOrder::ByMemoryOrder(int questions, int newPerDay, const Fsrs& scheduler)
    : fsrs_(scheduler), newPerDay_(newPerDay) {
    bank_.reserve(questions);
    // Identities only need to be distinct here; the store's digests are not.
    for (int i = 0; i < questions; ++i)
        bank_ << QStringLiteral("q%1").arg(i, 4, 10, QLatin1Char('0'));
}

int ByMemoryOrder::next(qint64 nowMs) {
    const NextQuestion::Choice choice = NextQuestion::choose(bank_, cards_, nowMs, newPerDay_);
    ++reasons_[choice.reason];
    return choice.position;
}

Fsrs::Grade ByMemoryOrder::gradeFor(const SimulatedLearner::Attempt& attempt) {
    if (!attempt.recalled) return Fsrs::Grade::Forgot;
    return attempt.recall >= kEasyRecall ? Fsrs::Grade::Easy : Fsrs::Grade::Knew;
}

void ByMemoryOrder::answered(int question, const SimulatedLearner::Attempt& attempt, qint64 nowMs) {
    const QString& id = bank_[question];
    cards_[id] = fsrs_.review(cards_.value(id), gradeFor(attempt), nowMs);
}
