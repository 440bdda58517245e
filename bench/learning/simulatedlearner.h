// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRandomGenerator>
#include <QtGlobal>
#include <vector>

// A learner whose memory follows a model of its own, not the scheduler's:
// each question is forgotten exponentially, p = 2^(-t/h), with a half-life h
// that a recall lengthens (the more, the further forgetting had gone) and a
// lapse shortens; how easily a question is learnt is drawn once per question
// from a fixed seed and is never told to the scheduler. The shapes and their
// sources are in README.md beside this file.
class SimulatedLearner {
public:
    struct Parameters {
        // The first half-life, after the first sight, of a question of
        // middle difficulty; the easiest question's over the hardest's.
        double firstHalfLifeDays = 1.0;
        double difficultySpread = 4.0;
        // A recall at p multiplies h by 1 + recallGrowth (1 - p), the
        // hardest question's gain being half as much. 40: a recall at
        // p = 0.9 multiplies the easiest question's half-life by 5, the
        // ratio of one of Pimsleur's graduated intervals to the one before.
        double recallGrowth = 40.0;
        // A lapse multiplies h by lapseFactor, but not below a floor that
        // starts at the first half-life and grows by relearning each lapse.
        double lapseFactor = 0.5;
        double relearning = 1.5;
    };

    // What one attempt was: recalled or not, and how likely it was.
    struct Attempt {
        bool recalled = false;
        double recall = 0;
    };

    SimulatedLearner(int questions, quint32 seed, const Parameters& parameters);

    int size() const { return int(memory_.size()); }
    // Questions seen at least once.
    int seen() const { return seen_; }
    // 0 (hardest) .. 1 (easiest): how readily the question is learnt.
    double ease(int question) const { return ease_[size_t(question)]; }
    // The probability of recalling a question at a time; 0 before its first sight.
    double recallAt(int question, qint64 nowMs) const;
    // Tries to recall the question, then sees its answer.
    Attempt attempt(int question, qint64 nowMs, QRandomGenerator& chance);

private:
    struct Memory {
        double halfLifeDays = 0;  // 0: never seen
        double floorDays = 0;     // what relearning after a lapse gives at least
        qint64 lastMs = 0;
    };
    double firstHalfLife(int question) const;
    void afterRecall(int question, Memory& m, double recall) const;

    Parameters p_;
    std::vector<double> ease_;
    std::vector<Memory> memory_;
    int seen_ = 0;
};
