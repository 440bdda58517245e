// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QRandomGenerator>
#include <QStringList>

#include "bench/learning/simulatedlearner.h"
#include "questionbank/fsrs.h"
#include "questionbank/nextquestion.h"

// Which question the learner meets at each step, by position in the bank.
class StudyOrder {
public:
    virtual ~StudyOrder() = default;
    virtual int next(qint64 nowMs) = 0;
    // How the attempt at the question just shown went.
    virtual void answered(int question, const SimulatedLearner::Attempt& attempt, qint64 nowMs);
};

// The records in bank order, one a step, from the first again after the last.
class DocumentedOrder : public StudyOrder {
public:
    explicit DocumentedOrder(int questions) : questions_(questions) {}
    int next(qint64 nowMs) override;

private:
    int questions_;
    int position_ = -1;
};

// Any question at each step, drawn with the same chance for all.
class RandomOrder : public StudyOrder {
public:
    RandomOrder(int questions, quint32 seed) : questions_(questions), draw_(seed) {}
    int next(qint64 nowMs) override;

private:
    int questions_;
    QRandomGenerator draw_;
};

// The program's own choice by memory: NextQuestion over the scheduler's
// cards, each attempt graded as the learner would grade it and recorded
// with the scheduler's review.
class ByMemoryOrder : public StudyOrder {
public:
    // A recall at least this likely feels easy, and is graded so.
    static constexpr double kEasyRecall = 0.9;

    ByMemoryOrder(int questions, int newPerDay, const Fsrs& scheduler = Fsrs());
    int next(qint64 nowMs) override;
    void answered(int question, const SimulatedLearner::Attempt& attempt, qint64 nowMs) override;
    static Fsrs::Grade gradeFor(const SimulatedLearner::Attempt& attempt);
    int seen() const { return int(cards_.size()); }
    // How many steps each of NextQuestion's reasons chose.
    const QHash<NextQuestion::Reason, qint64>& reasons() const { return reasons_; }

private:
    QStringList bank_;
    QHash<QString, Fsrs::Card> cards_;
    Fsrs fsrs_;
    int newPerDay_;
    QHash<NextQuestion::Reason, qint64> reasons_;
};
