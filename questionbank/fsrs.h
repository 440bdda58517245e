// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QtGlobal>
#include <array>

// The memory model that schedules reviews: FSRS-5, the published Free
// Spaced Repetition Scheduler, with its published default parameters and no
// interval fuzz, so that the same grades at the same times always give the
// same schedule. The formulas follow the algorithm's published description
// (the open-spaced-repetition project's wiki page "The Algorithm", section
// FSRS-5) as its reference implementation computes them
// (github.com/open-spaced-repetition/fsrs-rs, src/model.rs at commit
// 1dba65d7cdba064b60f92a941d2d13bdf221054a, and src/inference.rs of the same
// FSRS-5 release), whose unit tests publish the reference values that ours
// check.
class Fsrs {
public:
    // The learner's answer to a question.
    enum class Grade { Forgot = 1, Vague = 2, Knew = 3, Easy = 4 };

    static constexpr int kParameterCount = 19;
    using Parameters = std::array<double, kParameterCount>;
    static constexpr double kDefaultRetention = 0.9;
    static constexpr qint64 kDayMs = 24 * 60 * 60 * 1000;
    static constexpr int kMaxIntervalDays = 36500;

    // What the model knows of one question's memory.
    struct Memory {
        double stability = 0;   // days until the predicted recall falls to 90%
        double difficulty = 0;  // 1 (easy) .. 10 (hard)
    };

    // A question's scheduling state; reps == 0 is a question never graded.
    struct Card {
        Memory memory;
        qint64 firstMs = 0;  // time of the first grade, ms since the epoch (UTC)
        qint64 lastMs = 0;   // time of the latest grade
        qint64 dueMs = 0;    // when the predicted recall reaches the target retention
        int reps = 0;
        int lapses = 0;  // "forgot" after the question had been known
        bool isNew() const { return reps == 0; }
    };

    static const Parameters& defaultParameters();

    // A target retention outside (0, 1] (or not a number) falls back to 90%.
    explicit Fsrs(double targetRetention = kDefaultRetention,
                  const Parameters& parameters = defaultParameters());
    double targetRetention() const { return retention_; }
    const Parameters& parameters() const { return w_; }

    // The memory after the first grade of a new question.
    Memory first(Grade grade) const;
    // The memory after a grade elapsedDays whole days after the previous one;
    // 0 is a second grade on the same day, which the model treats as
    // short-term memory.
    Memory next(const Memory& memory, int elapsedDays, Grade grade) const;
    // The card after a grade at a time: memory, times, counts and due time.
    Card review(const Card& card, Grade grade, qint64 nowMs) const;

    // The whole days from one time to a later one (0 when not later).
    static int elapsedDays(qint64 fromMs, qint64 toMs);
    // The predicted probability of recall elapsedDays after the last grade.
    static double retrievability(double elapsedDays, double stability);
    // The predicted recall of a card at a time (fractional days); 0 for a
    // question never graded.
    static double retrievabilityAt(const Card& card, qint64 nowMs);
    // Days until the predicted recall falls to the target retention, as the
    // model gives it (not rounded), and as scheduled (rounded, at least 1).
    double rawInterval(double stability) const;
    int intervalDays(double stability) const;

    // The model's single steps, public so that each can be checked against
    // the published values on its own.
    double initialDifficulty(Grade grade) const;
    // After damping and mean reversion, within 1..10.
    double nextDifficulty(double difficulty, Grade grade) const;
    double stabilityAfterRecall(const Memory& m, double recall, Grade grade) const;
    double stabilityAfterForgetting(const Memory& m, double recall) const;
    double shortTermStability(double stability, Grade grade) const;

private:
    Parameters w_;
    double retention_;
};
