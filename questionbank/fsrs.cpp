// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/fsrs.h"

#include <algorithm>
#include <cmath>

namespace {

// The forgetting curve R(t, S) = (1 + FACTOR * t / S) ^ DECAY, with FACTOR
// chosen so that R(S, S) = 0.9 (FSRS-4.5 and FSRS-5).
constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0;
constexpr double kMinStability = 0.01;
constexpr double kMaxStability = 36500.0;

double clampDifficulty(double d) {
    return std::clamp(d, 1.0, 10.0);
}
double clampStability(double s) {
    return std::clamp(s, kMinStability, kMaxStability);
}
int g(Fsrs::Grade grade) {
    return int(grade);
}

}  // namespace

const Fsrs::Parameters& Fsrs::defaultParameters() {
    // FSRS-5's published defaults (fsrs-rs, src/inference.rs, DEFAULT_PARAMETERS).
    static const Parameters w = {0.40255, 1.18385, 3.173,  15.69105, 7.1949, 0.5345, 1.4604,
                                 0.0046,  1.54575, 0.1192, 1.01925,  1.9395, 0.11,   0.29605,
                                 2.2698,  0.2315,  2.9898, 0.51655,  0.6621};
    return w;
}

Fsrs::Fsrs(double targetRetention, const Parameters& parameters)
    : w_(parameters),
      retention_(targetRetention > 0 && targetRetention <= 1 ? targetRetention
                                                             : kDefaultRetention) {}

double Fsrs::initialDifficulty(Grade grade) const {
    return w_[4] - std::exp(w_[5] * (g(grade) - 1)) + 1;
}

Fsrs::Memory Fsrs::first(Grade grade) const {
    return {clampStability(w_[g(grade) - 1]), clampDifficulty(initialDifficulty(grade))};
}

double Fsrs::nextDifficulty(double difficulty, Grade grade) const {
    const double delta = -w_[6] * (g(grade) - 3);
    // Linear damping: the closer to 10, the smaller the step up.
    const double damped = difficulty + delta * (10 - difficulty) / 9;
    // Mean reversion towards the difficulty of a first "easy".
    return clampDifficulty(w_[7] * initialDifficulty(Grade::Easy) + (1 - w_[7]) * damped);
}

double Fsrs::stabilityAfterRecall(const Memory& m, double recall, Grade grade) const {
    const double hardPenalty = grade == Grade::Vague ? w_[15] : 1.0;
    const double easyBonus = grade == Grade::Easy ? w_[16] : 1.0;
    return m.stability * (std::exp(w_[8]) * (11 - m.difficulty) * std::pow(m.stability, -w_[9]) *
                              (std::exp(w_[10] * (1 - recall)) - 1) * hardPenalty * easyBonus +
                          1);
}

double Fsrs::stabilityAfterForgetting(const Memory& m, double recall) const {
    const double s = w_[11] * std::pow(m.difficulty, -w_[12]) *
                     (std::pow(m.stability + 1, w_[13]) - 1) * std::exp(w_[14] * (1 - recall));
    // Forgetting never makes a memory more stable than it was.
    return std::min(s, m.stability);
}

double Fsrs::shortTermStability(double stability, Grade grade) const {
    return stability * std::exp(w_[17] * (g(grade) - 3 + w_[18]));
}

Fsrs::Memory Fsrs::next(const Memory& memory, int elapsedDays, Grade grade) const {
    double s;
    if (elapsedDays <= 0) {
        s = shortTermStability(memory.stability, grade);
    } else {
        const double recall = retrievability(elapsedDays, memory.stability);
        s = grade == Grade::Forgot ? stabilityAfterForgetting(memory, recall)
                                   : stabilityAfterRecall(memory, recall, grade);
    }
    return {clampStability(s), nextDifficulty(memory.difficulty, grade)};
}

Fsrs::Card Fsrs::review(const Card& card, Grade grade, qint64 nowMs) const {
    Card after = card;
    if (card.isNew()) {
        after.memory = first(grade);
        after.firstMs = nowMs;
    } else {
        after.memory = next(card.memory, elapsedDays(card.lastMs, nowMs), grade);
        if (grade == Grade::Forgot) ++after.lapses;
    }
    ++after.reps;
    after.lastMs = nowMs;
    after.dueMs = nowMs + qint64(intervalDays(after.memory.stability)) * kDayMs;
    return after;
}

int Fsrs::elapsedDays(qint64 fromMs, qint64 toMs) {
    return toMs > fromMs ? int(std::min<qint64>((toMs - fromMs) / kDayMs, kMaxIntervalDays * 10))
                         : 0;
}

double Fsrs::retrievability(double elapsedDays, double stability) {
    return std::pow(1 + kFactor * std::max(0.0, elapsedDays) / stability, kDecay);
}

double Fsrs::retrievabilityAt(const Card& card, qint64 nowMs) {
    if (card.isNew()) return 0;
    return retrievability(double(nowMs - card.lastMs) / double(kDayMs), card.memory.stability);
}

double Fsrs::rawInterval(double stability) const {
    return stability / kFactor * (std::pow(retention_, 1 / kDecay) - 1);
}

int Fsrs::intervalDays(double stability) const {
    const double days = std::round(rawInterval(stability));
    return int(std::clamp(days, 1.0, double(kMaxIntervalDays)));
}
